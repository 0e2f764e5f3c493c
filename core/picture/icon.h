// The icons the builder makes, stores and hands to archives, and the viewer's own icon.
// Icons travel as the bytes of an ICO file; the project stores only a colour image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "picture/bitmap.h"
#include "picture/ico_codec.h"

namespace vx {

// The block an executable archive carries its own icon in, an ICO file, before every other.
inline constexpr const char* kMainIconBlock = "MAINICON";

// The size of the icons the system makes and stores.
inline constexpr int kSystemIconSize = 32;

// Icon files larger than this are refused before they are read.
inline constexpr std::uintmax_t kMaxIconFileBytes = 1 << 20;

// The bytes of an ICO file: fails with "Icon file is too large" over kMaxIconFileBytes, with
// "Icon file is invalid" unless ReadIcoDirectory accepts it, and with "Cannot open file %s".
std::string ReadIconFile(const std::string& path);

// The bitmap drawn at (0, 0) into a colour image of the system size (black where it does not
// reach), with the mask set where that image is white (the monochrome conversion against a
// white background); as an ICO file of that one image.
std::string IconFromBitmap(const Bitmap& bitmap);

// The colour image of the icon's picture closest to the system size, at that size. Fails with
// "Wrong IconInfo Structure" when no picture of the file can be read.
Bitmap IconColourImage(std::string_view ico);

// The project's form of an icon: HexEncode of a 24-bit BMP file of its colour image.
std::string IconText(std::string_view ico);
// And back: an empty text (after trimming) gives no icon (empty); otherwise the colour image
// made into an icon by IconFromBitmap. Fails with "Invalid bitmap" on a text that holds none.
std::string IconFromText(std::string_view text);

// The viewer's own icon, drawn by code at 16, 32, 48 and 64 pixels.
std::vector<IconPicture> DefaultIconPictures();
std::string DefaultIconFile();

}  // namespace vx
