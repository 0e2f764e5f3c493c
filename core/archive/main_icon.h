// The icon an executable archive carries: an ELF program has no resources, so the icon is a
// data block of its own, MAINICON, holding an ICO file, ahead of every other block.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Puts the ICO file into the executable as its MAINICON block: in the place of the one it
// carries, else appended (the maker calls it before any other block is appended). The file
// fails with "Icon file is too large" over 1 MiB (before it is read), with "Icon file is
// invalid" when it is no icon or holds a block marker, and with the file's own error when it
// cannot be read; the executable is then as it was.
void ReplaceMainIcon(const std::string& executable, const std::string& iconFile);

// Writes the ICO file under a name of its own beside the executable, puts it in with
// ReplaceMainIcon, and removes it again in every case.
void ApplyIcon(std::string_view ico, const std::string& executable);

}  // namespace vx
