// Starting other programs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vx {

int OwnProcessId();
// The calling thread yields to the others of the program when they want the processor: for
// background work that must not slow what the user waits for.
void LowerThisThreadsPriority();
// True while a process of that id runs the same program as this one: not one that has ended
// (also when it is not reaped yet), nor another program that got its id since.
bool SameProgramRunning(int processId);

// Starts a program (a path, or a name looked up on PATH) and does not wait for it; false
// when it could not be started.
bool StartProgram(const std::string& path, const std::vector<std::string>& arguments);

// Runs a program to its end; its exit status, or -1 when it could not be started.
int RunProgram(const std::string& path, const std::vector<std::string>& arguments);

// Runs a program to its end in the C locale, so its messages can be parsed, and returns what
// it wrote to standard output; nothing when it could not be started or did not exit with 0.
std::optional<std::string> ReadProgramOutput(const std::string& path,
                                             const std::vector<std::string>& arguments);

// A program started and watched: Ended() asks without waiting, so a window stays painted while
// the program runs.
class WatchedProgram {
 public:
  WatchedProgram(const std::string& path, const std::vector<std::string>& arguments);
  // A program still running is left to run and reaped in the background.
  ~WatchedProgram();
  WatchedProgram(const WatchedProgram&) = delete;
  WatchedProgram& operator=(const WatchedProgram&) = delete;

  bool Started() const { return pid_ > 0; }
  // True once it has ended, and at once when it never started.
  bool Ended();

 private:
  int pid_ = -1;
  bool ended_ = false;
};

}  // namespace vx
