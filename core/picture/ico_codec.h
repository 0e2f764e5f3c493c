// ICO files: a 6-byte header (reserved, type, image count), one 16-byte entry per image
// (width, height, colour count, reserved, planes, bit count, image size, image offset), and
// the images, each a headerless BMP (colour rows, then the AND mask) or a PNG file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "picture/bitmap.h"

namespace vx {

// Images wider or taller than this are not decoded, before anything is allocated.
inline constexpr int kMaxIconSide = 1024;
// All images of one file together: a small file may name one large image many times.
inline constexpr std::uint64_t kMaxIconFilePixels = std::uint64_t{4} << 20;

struct IcoEntry {
  std::uint8_t width = 0;  // 0 stands for 256
  std::uint8_t height = 0;
  std::uint8_t colorCount = 0;
  std::uint8_t reserved = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t bytesInRes = 0;
  std::uint32_t imageOffset = 0;
};

struct IcoDirectory {
  std::uint16_t reserved = 0;
  std::uint16_t type = 0;
  std::vector<IcoEntry> entries;
};

// A cheap look at the header: reserved 0 and type 1.
bool LooksLikeIco(std::string_view bytes);

// The directory when the file has at least 6 bytes, does not start with "MZ", holds every
// entry, and every image's offset + size neither overflows 32 bits nor passes the file's end
// (exactly at the end is fine). Nothing otherwise. Header fields are not judged.
std::optional<IcoDirectory> ReadIcoDirectory(std::string_view bytes);

// One picture of an icon: 0xAARRGGBB per pixel, not premultiplied, rows from the top.
struct IconPicture {
  int width = 0;
  int height = 0;
  int bitCount = 0;  // of the image it came from; 32 for PNG
  std::vector<std::uint32_t> argb;
  bool operator==(const IconPicture&) const = default;
};

// Decodes one image of the file: BMP of 1, 4, 8, 24 or 32 bits with its AND mask, or PNG.
// Where the mask is set over black the pixel is transparent; the screen-inverting case (mask
// set over another colour) shows its colour. Fails with "Invalid icon image".
IconPicture DecodeIcoImage(std::string_view file, const IcoEntry& entry);

// Every image of the file that decodes, in file order, up to kMaxIconFilePixels; an invalid
// file gives none.
std::vector<IconPicture> DecodeIcoImages(std::string_view file);

// The picture closest to size x size: the smallest at least that large, else the largest;
// among equal sizes the deepest. Nothing when there are none.
const IconPicture* ClosestIconPicture(const std::vector<IconPicture>& pictures, int size);

// An ICO file of 32-bit images with alpha, one per picture (each at most 256 x 256).
std::string EncodeIco(const std::vector<IconPicture>& pictures);

// An ICO file of one 24-bit image and its AND mask (true: the screen shows through), one
// flag per pixel, rows from the top.
std::string EncodeMaskedIco(const Bitmap& colour, const std::vector<bool>& mask);

}  // namespace vx
