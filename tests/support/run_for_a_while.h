// Starting a program and telling whether it is still running after a while.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace vx::test {

// Runs the program; returns its exit status, or -1 if it was still running after the wait
// (and was then stopped). Without a display, messages go to stderr instead of a box.
inline int RunForAWhile(const std::string& program, const char* argument,
                        std::chrono::milliseconds wait, bool withDisplay = false) {
  using namespace std::chrono_literals;
  const pid_t child = ::fork();
  if (child == 0) {
    if (!withDisplay) {
      ::unsetenv("DISPLAY");
      ::unsetenv("WAYLAND_DISPLAY");
    }
    ::execl(program.c_str(), program.c_str(), argument, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  for (auto waited = 0ms; waited < wait; waited += 10ms) {
    if (::waitpid(child, &status, WNOHANG) == child)
      return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    std::this_thread::sleep_for(10ms);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  return -1;
}

}  // namespace vx::test
