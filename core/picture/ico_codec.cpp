#include "picture/ico_codec.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "picture/byte_order.h"

namespace vx {
namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

[[noreturn]] void Invalid() { throw std::runtime_error("Invalid icon image"); }

std::uint32_t Get32(std::string_view bytes, size_t at) {
  if (at > bytes.size() || bytes.size() - at < 4) Invalid();
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;  // little-endian, as are the machines we build for
}

std::uint16_t Get16(std::string_view bytes, size_t at) {
  if (at > bytes.size() || bytes.size() - at < 2) Invalid();
  std::uint16_t value;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
}

bool IsPng(std::string_view image) { return image.starts_with("\x89PNG\r\n\x1a\n"); }

IconPicture DecodePng(std::string_view image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, image.data(), image.size())) Invalid();
  if (png.width == 0 || png.height == 0 || png.width > kMaxIconSide || png.height > kMaxIconSide) {
    png_image_free(&png);
    Invalid();
  }
  // Blue, green, red, alpha in memory is 0xAARRGGBB in a little-endian word.
  png.format = PNG_FORMAT_BGRA;
  IconPicture picture{static_cast<int>(png.width), static_cast<int>(png.height), 32, {}};
  picture.argb.resize(static_cast<size_t>(png.width) * png.height);
  if (!png_image_finish_read(&png, nullptr, picture.argb.data(), 0, nullptr)) Invalid();
  return picture;
}

// A headerless BMP: information header, palette, colour rows and AND mask rows, both
// bottom-up; the header's height counts both.
IconPicture DecodeBmpImage(std::string_view image) {
  const std::uint32_t headerSize = Get32(image, 0);
  const auto width = static_cast<std::int32_t>(Get32(image, 4));
  const auto doubleHeight = static_cast<std::int32_t>(Get32(image, 8));
  const std::uint16_t bits = Get16(image, 14);
  const std::uint32_t compression = Get32(image, 16);
  const std::uint32_t colorsUsed = Get32(image, 32);
  const std::int32_t height = doubleHeight / 2;
  if (headerSize < kInfoHeaderSize || headerSize > image.size()) Invalid();
  if (width <= 0 || height <= 0 || width > kMaxIconSide || height > kMaxIconSide) Invalid();
  if (compression != 0) Invalid();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) Invalid();

  std::uint64_t paletteCount = 0;
  if (bits <= 8) {
    paletteCount = colorsUsed != 0 ? colorsUsed : std::uint64_t{1} << bits;
    if (paletteCount > 256) Invalid();
  }
  const std::uint64_t paletteAt = headerSize;
  const std::uint64_t pixelsAt = paletteAt + paletteCount * 4;
  const std::uint64_t colourStride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const std::uint64_t maskStride = (static_cast<std::uint64_t>(width) + 31) / 32 * 4;
  const std::uint64_t maskAt = pixelsAt + colourStride * static_cast<std::uint64_t>(height);
  if (maskAt > image.size()) Invalid();
  // Some writers leave the mask out of 32-bit images; without one nothing is masked.
  const bool hasMask = maskAt + maskStride * static_cast<std::uint64_t>(height) <= image.size();

  const auto* data = reinterpret_cast<const std::uint8_t*>(image.data());
  IconPicture picture{width, height, bits, {}};
  picture.argb.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  bool anyAlpha = false;
  for (std::int32_t row = 0; row < height; ++row) {
    const std::uint8_t* in = data + pixelsAt + colourStride * static_cast<std::uint64_t>(row);
    std::uint32_t* out = &picture.argb[static_cast<size_t>(height - 1 - row) * width];
    for (std::int32_t x = 0; x < width; ++x) {
      std::uint32_t bgra;
      if (bits <= 8) {
        const int perByte = 8 / bits;
        const int shift = 8 - bits * (x % perByte + 1);
        const unsigned index = (in[x / perByte] >> shift) & ((1u << bits) - 1);
        if (index >= paletteCount) Invalid();
        std::memcpy(&bgra, data + paletteAt + index * 4, 4);
        bgra &= 0xFFFFFF;
      } else if (bits == 24) {
        const std::uint8_t* p = in + x * 3;
        bgra = p[0] | (p[1] << 8) | (p[2] << 16);
      } else {
        std::memcpy(&bgra, in + x * 4, 4);
        anyAlpha = anyAlpha || (bgra >> 24) != 0;
      }
      out[x] = bgra;
    }
  }
  // 32-bit images carry their own alpha; older ones leave it 0 and rely on the mask.
  if (bits == 32 && anyAlpha) return picture;
  for (std::int32_t row = 0; row < height; ++row) {
    const std::uint8_t* mask = data + maskAt + maskStride * static_cast<std::uint64_t>(row);
    std::uint32_t* out = &picture.argb[static_cast<size_t>(height - 1 - row) * width];
    for (std::int32_t x = 0; x < width; ++x) {
      const bool through = hasMask && ((mask[x / 8] >> (7 - x % 8)) & 1) != 0;
      const std::uint32_t rgb = out[x] & 0xFFFFFF;
      out[x] = through && rgb == 0 ? 0 : (rgb | 0xFF000000u);
    }
  }
  return picture;
}

void PutEntry(std::string& out, int width, int height, std::uint16_t bits, size_t size,
              size_t offset) {
  out += static_cast<char>(width >= 256 ? 0 : width);
  out += static_cast<char>(height >= 256 ? 0 : height);
  out += '\0';    // colour count
  out += '\0';    // reserved
  Put16(out, 1);  // planes
  Put16(out, bits);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(offset));
}

// The information header, colour rows (bottom-up) and AND mask of one image.
std::string BmpImage(int width, int height, std::uint16_t bits,
                     const std::function<void(std::string&, int row)>& colourRow,
                     const std::function<bool(int x, int y)>& through) {
  const size_t colourStride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  const size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
  std::string out;
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height * 2));
  Put16(out, 1);  // planes
  Put16(out, bits);
  Put32(out, 0);  // no compression
  Put32(out, static_cast<std::uint32_t>((colourStride + maskStride) * height));
  for (int i = 0; i < 4; ++i) Put32(out, 0);  // resolution, palette
  for (int y = height - 1; y >= 0; --y) {
    const size_t start = out.size();
    colourRow(out, y);
    out.resize(start + colourStride, '\0');
  }
  for (int y = height - 1; y >= 0; --y) {
    std::string row(maskStride, '\0');
    for (int x = 0; x < width; ++x) {
      if (through(x, y)) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }
    out += row;
  }
  return out;
}

struct SizedImage {
  int width, height;
  std::uint16_t bits;
  std::string bytes;
};

std::string IcoOf(const std::vector<SizedImage>& images) {
  std::string out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon
  Put16(out, static_cast<std::uint16_t>(images.size()));
  size_t offset = kHeaderSize + kEntrySize * images.size();
  for (const SizedImage& image : images) {
    PutEntry(out, image.width, image.height, image.bits, image.bytes.size(), offset);
    offset += image.bytes.size();
  }
  for (const SizedImage& image : images) out += image.bytes;
  return out;
}

}  // namespace

bool LooksLikeIco(std::string_view bytes) {
  return bytes.size() >= kHeaderSize && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 &&
         bytes[3] == 0;
}

std::optional<IcoDirectory> ReadIcoDirectory(std::string_view bytes) {
  if (bytes.size() < kHeaderSize || bytes.starts_with("MZ")) return std::nullopt;
  IcoDirectory directory;
  directory.reserved = Get16(bytes, 0);
  directory.type = Get16(bytes, 2);
  const std::uint16_t count = Get16(bytes, 4);
  if (bytes.size() < kHeaderSize + kEntrySize * count) return std::nullopt;
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kHeaderSize + kEntrySize * i;
    IcoEntry entry;
    entry.width = static_cast<std::uint8_t>(bytes[at]);
    entry.height = static_cast<std::uint8_t>(bytes[at + 1]);
    entry.colorCount = static_cast<std::uint8_t>(bytes[at + 2]);
    entry.reserved = static_cast<std::uint8_t>(bytes[at + 3]);
    entry.planes = Get16(bytes, at + 4);
    entry.bitCount = Get16(bytes, at + 6);
    entry.bytesInRes = Get32(bytes, at + 8);
    entry.imageOffset = Get32(bytes, at + 12);
    const std::uint64_t end = std::uint64_t{entry.imageOffset} + entry.bytesInRes;
    if (end > 0xFFFFFFFFu || end > bytes.size()) return std::nullopt;
    directory.entries.push_back(entry);
  }
  return directory;
}

IconPicture DecodeIcoImage(std::string_view file, const IcoEntry& entry) {
  if (std::uint64_t{entry.imageOffset} + entry.bytesInRes > file.size()) Invalid();
  const std::string_view image = file.substr(entry.imageOffset, entry.bytesInRes);
  return IsPng(image) ? DecodePng(image) : DecodeBmpImage(image);
}

std::vector<IconPicture> DecodeIcoImages(std::string_view file) {
  std::vector<IconPicture> pictures;
  const auto directory = ReadIcoDirectory(file);
  if (!directory) return pictures;
  std::uint64_t pixels = 0;
  for (const IcoEntry& entry : directory->entries) {
    try {
      IconPicture picture = DecodeIcoImage(file, entry);
      pixels += picture.argb.size();
      if (pixels > kMaxIconFilePixels) break;
      pictures.push_back(std::move(picture));
    } catch (const std::runtime_error&) {
      // A broken image leaves the others usable.
    }
  }
  return pictures;
}

const IconPicture* ClosestIconPicture(const std::vector<IconPicture>& pictures, int size) {
  const IconPicture* best = nullptr;
  auto side = [](const IconPicture& p) { return std::max(p.width, p.height); };
  for (const IconPicture& picture : pictures) {
    if (!best) {
      best = &picture;
      continue;
    }
    const int s = side(picture), b = side(*best);
    const bool fits = s >= size, bestFits = b >= size;
    if (fits != bestFits) {
      if (fits) best = &picture;
    } else if (s != b) {
      if (fits ? s < b : s > b) best = &picture;
    } else if (picture.bitCount > best->bitCount) {
      best = &picture;
    }
  }
  return best;
}

std::string EncodeIco(const std::vector<IconPicture>& pictures) {
  std::vector<SizedImage> images;
  for (const IconPicture& p : pictures) {
    auto pixel = [&p](int x, int y) { return p.argb[static_cast<size_t>(y) * p.width + x]; };
    images.push_back({p.width, p.height, 32,
                      BmpImage(
                          p.width, p.height, 32,
                          [&](std::string& out, int y) {
                            // Transparent pixels are written black, as the mask expects.
                            for (int x = 0; x < p.width; ++x) {
                              const std::uint32_t value = pixel(x, y);
                              Put32(out, (value >> 24) == 0 ? 0 : value);
                            }
                          },
                          [&](int x, int y) { return (pixel(x, y) >> 24) == 0; })});
  }
  return IcoOf(images);
}

std::string EncodeMaskedIco(const Bitmap& colour, const std::vector<bool>& mask) {
  const int width = colour.Width(), height = colour.Height();
  return IcoOf({{width, height, 24,
                 BmpImage(
                     width, height, 24,
                     [&](std::string& out, int y) {
                       out.append(reinterpret_cast<const char*>(colour.Row(y)),
                                  static_cast<size_t>(width) * 3);
                     },
                     [&](int x, int y) { return mask[static_cast<size_t>(y) * width + x]; })}});
}

}  // namespace vx
