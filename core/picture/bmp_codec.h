// BMP files of our own: the system writes them for protected areas and the wallpaper.
#pragma once

#include <string>
#include <string_view>

#include "picture/bitmap.h"

namespace vx {

bool LooksLikeBmp(std::string_view bytes);

// 24 bits per pixel, bottom-up, rows padded to 4 bytes, file and information headers.
std::string EncodeBmp(const Bitmap& bitmap);

// Reads uncompressed 24-bit, 32-bit and 8-bit palette files, bottom-up or top-down. Every
// header field is checked before use; a file that lies fails with "Invalid bitmap".
Bitmap DecodeBmp(std::string_view bytes);

}  // namespace vx
