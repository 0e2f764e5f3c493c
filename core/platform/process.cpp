#include "platform/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string_view>
#include <thread>

extern char** environ;

namespace vx {

namespace {

// A bare name is looked up on PATH.
bool Spawn(const std::string& path, const std::vector<std::string>& arguments, pid_t& pid,
           const posix_spawn_file_actions_t* actions = nullptr, char* const* env = environ) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  return ::posix_spawnp(&pid, path.c_str(), actions, nullptr, argv.data(), env) == 0;
}

int Wait(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) != pid) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int RunProgram(const std::string& path, const std::vector<std::string>& arguments) {
  pid_t pid = 0;
  if (!Spawn(path, arguments, pid)) return -1;
  return Wait(pid);
}

std::optional<std::string> ReadProgramOutput(const std::string& path,
                                             const std::vector<std::string>& arguments) {
  std::vector<std::string> variables;
  for (char** e = environ; *e; ++e) {
    if (!std::string_view(*e).starts_with("LC_ALL=")) variables.emplace_back(*e);
  }
  variables.emplace_back("LC_ALL=C");
  std::vector<char*> env;
  for (std::string& v : variables) env.push_back(v.data());
  env.push_back(nullptr);

  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  pid_t pid = 0;
  const bool started = Spawn(path, arguments, pid, &actions, env.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  std::string output;
  if (started) {
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
      if (n > 0) {
        output.append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        break;
      }
    }
  }
  ::close(fds[0]);
  if (!started || Wait(pid) != 0) return std::nullopt;
  return output;
}

int OwnProcessId() { return static_cast<int>(::getpid()); }

void LowerThisThreadsPriority() {
  // On Linux a thread's nice value is its own; failing leaves it as it was.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
}

bool SameProgramRunning(int processId) {
  if (processId <= 0) return false;
  // An ended process has no program left to link to.
  std::error_code ec;
  const auto program =
      std::filesystem::read_symlink("/proc/" + std::to_string(processId) + "/exe", ec);
  return !ec && program == std::filesystem::read_symlink("/proc/self/exe", ec) && !ec;
}

bool StartProgram(const std::string& path, const std::vector<std::string>& arguments) {
  pid_t pid = 0;
  if (!Spawn(path, arguments, pid)) return false;
  // Reaped in the background, so a long-running program collects no zombies.
  std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
  return true;
}

WatchedProgram::WatchedProgram(const std::string& path, const std::vector<std::string>& arguments) {
  pid_t pid = 0;
  if (Spawn(path, arguments, pid)) pid_ = pid;
}

WatchedProgram::~WatchedProgram() {
  if (Started() && !Ended()) std::thread([pid = pid_] { ::waitpid(pid, nullptr, 0); }).detach();
}

bool WatchedProgram::Ended() {
  if (!Started() || ended_) return true;
  int status = 0;
  const pid_t result = ::waitpid(pid_, &status, WNOHANG);
  ended_ = result == pid_ || (result < 0 && errno != EINTR);
  return ended_;
}

}  // namespace vx
