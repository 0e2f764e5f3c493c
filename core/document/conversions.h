// Value encodings shared by every reader and writer of documents.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

// A 24-bit RGB colour, red in the lowest byte, then green, then blue.
using Color = std::uint32_t;

// "#RRGGBB" with upper-case digits.
std::string ColorToText(Color color);
// "#RRGGBB", "$BBGGRR" or a decimal integer; anything shorter than 7 characters or not a
// number gives 0.
Color TextToColor(std::string_view text);

// Scientific notation in 23 characters, " 2.50000000000000E-0001"; '.' whatever the locale.
std::string RealToText(double value);
// Fails with "%s isn't a valid float" for anything but a plain decimal number.
double TextToReal(std::string_view text);

std::string HexEncode(std::string_view bytes);
// Stops at the first pair that is not two upper-case hexadecimal digits.
std::string HexDecode(std::string_view text);

// 32 upper-case hexadecimal digits of a new GUID.
std::string NewId();

}  // namespace vx
