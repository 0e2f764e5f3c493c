// Blanks and control characters around a text, as the user typed it, do not count.
#pragma once

#include <string_view>

namespace vx {

inline std::string_view Trim(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

}  // namespace vx
