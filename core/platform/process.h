// Starting other programs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vx {

// Starts a program (a path, or a name looked up on PATH) and does not wait for it; false
// when it could not be started.
bool StartProgram(const std::string& path, const std::vector<std::string>& arguments);

// Runs a program to its end; its exit status, or -1 when it could not be started.
int RunProgram(const std::string& path, const std::vector<std::string>& arguments);

// Runs a program to its end in the C locale, so its messages can be parsed, and returns what
// it wrote to standard output; nothing when it could not be started or did not exit with 0.
std::optional<std::string> ReadProgramOutput(const std::string& path,
                                             const std::vector<std::string>& arguments);

}  // namespace vx
