// Texts from documents are meant to be UTF-8, but hand-made or converted files hold any bytes.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// The text with every byte that does not belong to a well-formed UTF-8 sequence (stray,
// overlong, surrogate or beyond U+10FFFF) replaced by U+FFFD.
std::string RepairUtf8(std::string_view text);

}  // namespace vx
