// Case handling for the UTF-8 byte strings that every text of the system is.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Folds ASCII a..z only: names and markers, where other bytes must stay as they are.
std::string AsciiUpper(std::string_view text);

// Upper-cases every letter of a UTF-8 text (é becomes É); invalid bytes stay as they are.
std::string Utf8Upper(std::string_view text);

// Case-insensitive equality of two UTF-8 texts.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace vx
