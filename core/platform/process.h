// Starting other programs.
#pragma once

#include <string>
#include <vector>

namespace vx {

// Starts a program (a path, or a name looked up on PATH) and does not wait for it; false
// when it could not be started.
bool StartProgram(const std::string& path, const std::vector<std::string>& arguments);

// Runs a program to its end; its exit status, or -1 when it could not be started.
int RunProgram(const std::string& path, const std::vector<std::string>& arguments);

}  // namespace vx
