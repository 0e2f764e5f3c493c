// File access that the rest of the system builds on.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// The whole file; fails with "Cannot open file %s".
std::string ReadWholeFile(const std::string& path);

// Replaces the file in one step: the bytes go to a temporary file in the same folder, are
// flushed and renamed over the target. Fails with "Cannot create file %s"; the target is then
// left as it was. An existing target keeps its permissions.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);

}  // namespace vx
