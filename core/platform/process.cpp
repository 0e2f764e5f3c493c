#include "platform/process.h"

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <thread>

extern char** environ;

namespace vx {

namespace {

// A bare name is looked up on PATH.
bool Spawn(const std::string& path, const std::vector<std::string>& arguments, pid_t& pid) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  return ::posix_spawnp(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}

}  // namespace

int RunProgram(const std::string& path, const std::vector<std::string>& arguments) {
  pid_t pid = 0;
  if (!Spawn(path, arguments, pid)) return -1;
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool StartProgram(const std::string& path, const std::vector<std::string>& arguments) {
  pid_t pid = 0;
  if (!Spawn(path, arguments, pid)) return false;
  // Reaped in the background, so a long-running program collects no zombies.
  std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
  return true;
}

}  // namespace vx
