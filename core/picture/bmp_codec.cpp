#include "picture/bmp_codec.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "picture/byte_order.h"

namespace vx {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;

[[noreturn]] void Invalid() { throw std::runtime_error("Invalid bitmap"); }

std::uint32_t Read32(std::string_view bytes, size_t at) {
  if (at + 4 > bytes.size()) Invalid();
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;  // BMP is little-endian, as are the machines we build for
}

std::uint16_t Read16(std::string_view bytes, size_t at) {
  if (at + 2 > bytes.size()) Invalid();
  std::uint16_t value;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
}

}  // namespace

bool LooksLikeBmp(std::string_view bytes) { return bytes.size() >= 2 && bytes.starts_with("BM"); }

std::string EncodeBmp(const Bitmap& bitmap) {
  const auto imageSize =
      static_cast<std::uint32_t>(bitmap.Stride()) * static_cast<std::uint32_t>(bitmap.Height());
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::string out;
  out.reserve(offset + imageSize);
  out += "BM";
  Put32(out, offset + imageSize);
  Put32(out, 0);  // reserved
  Put32(out, offset);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(bitmap.Width()));
  Put32(out, static_cast<std::uint32_t>(bitmap.Height()));
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits per pixel
  Put32(out, kRgb);
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);  // palette size
  Put32(out, 0);  // important colours
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(bitmap.Row(y)), static_cast<size_t>(bitmap.Stride()));
  }
  return out;
}

Bitmap DecodeBmp(std::string_view bytes) {
  if (!LooksLikeBmp(bytes)) Invalid();
  const std::uint32_t pixelOffset = Read32(bytes, 10);
  const std::uint32_t headerSize = Read32(bytes, 14);
  if (headerSize < kInfoHeaderSize || kFileHeaderSize + std::uint64_t{headerSize} > bytes.size())
    Invalid();
  const auto width = static_cast<std::int32_t>(Read32(bytes, 18));
  const auto rawHeight = static_cast<std::int32_t>(Read32(bytes, 22));
  const std::uint16_t planes = Read16(bytes, 26);
  const std::uint16_t bits = Read16(bytes, 28);
  const std::uint32_t compression = Read32(bytes, 30);
  std::uint32_t paletteSize = Read32(bytes, 46);

  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || planes != 1) Invalid();
  if (bits != 8 && bits != 24 && bits != 32) Invalid();
  if (!(compression == kRgb || (compression == kBitFields && bits == 32))) Invalid();
  const bool topDown = rawHeight < 0;
  const std::int32_t height = topDown ? -rawHeight : rawHeight;

  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  if (pixelOffset > bytes.size() ||
      stride * static_cast<std::uint64_t>(height) > bytes.size() - pixelOffset) {
    Invalid();
  }
  // The palette, for 8-bit files: blue, green, red, unused per entry after the headers.
  const std::uint64_t paletteAt = kFileHeaderSize + std::uint64_t{headerSize};
  if (bits == 8) {
    if (paletteSize == 0 || paletteSize > 256) paletteSize = 256;
    if (paletteAt + std::uint64_t{paletteSize} * 4 > pixelOffset) Invalid();
  }

  Bitmap bitmap(width, height);
  for (std::int32_t row = 0; row < height; ++row) {
    const char* in = bytes.data() + pixelOffset + stride * static_cast<std::uint64_t>(row);
    std::uint8_t* out = bitmap.Row(topDown ? row : height - 1 - row);
    for (std::int32_t x = 0; x < width; ++x) {
      const auto* source = reinterpret_cast<const std::uint8_t*>(in);
      if (bits == 8) {
        const std::uint8_t index = source[x];
        if (index >= paletteSize) Invalid();
        source = reinterpret_cast<const std::uint8_t*>(bytes.data() + paletteAt) + index * 4;
      } else {
        source += x * (bits / 8);
      }
      std::memcpy(out + x * 3, source, 3);
    }
  }
  return bitmap;
}

}  // namespace vx
