#include "platform/process.h"

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <thread>

extern char** environ;

namespace vx {

bool StartProgram(const std::string& path, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  // A bare name is looked up on PATH.
  if (::posix_spawnp(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
  // Reaped in the background, so a long-running program collects no zombies.
  std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
  return true;
}

}  // namespace vx
