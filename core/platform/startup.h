// The steps both programs run before any window exists.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace vx {

struct StartupOptions {
  std::string ownPath;                 // the program's own file
  std::vector<std::string> arguments;  // without the program name
  std::string cacheFolder;             // where a read-only program copies itself
  // How long the delete loops keep trying before they give up.
  std::chrono::milliseconds deleteTimeout{10000};
};

// The options for this process.
StartupOptions OwnStartupOptions(int argc, char** argv);

// Makes the program's folder current, moves a program on a read-only medium to the user's
// cache and starts it there, and handles both halves of replacing a running archive through
// "temp0a0.exe". Returns true when the program must quit instead of showing its windows.
bool RunStartupSteps(const StartupOptions& options);

}  // namespace vx
