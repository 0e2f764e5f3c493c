#include "picture/icon.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "document/conversions.h"
#include "picture/bmp_codec.h"
#include "picture/resample.h"
#include "platform/files.h"
#include "text/trim.h"

namespace vx {
namespace {

constexpr Color kWhite = 0xFFFFFF;

Bitmap ColourOf(const IconPicture& picture) {
  Bitmap colour(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y) {
    std::uint8_t* row = colour.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t argb = picture.argb[static_cast<size_t>(y) * picture.width + x];
      row[x * 3] = argb & 0xFF;
      row[x * 3 + 1] = (argb >> 8) & 0xFF;
      row[x * 3 + 2] = (argb >> 16) & 0xFF;
    }
  }
  return colour;
}

// The default icon at one point (u, v) of the unit square: a framed landscape with a sun.
// 0xAARRGGBB, transparent outside the frame's rounded corners.
std::uint32_t DefaultIconAt(double u, double v) {
  const double margin = 1.0 / 16, radius = 3.0 / 16;
  const double cu = std::clamp(u, margin + radius, 1 - margin - radius);
  const double cv = std::clamp(v, margin + radius, 1 - margin - radius);
  if (std::hypot(u - cu, v - cv) > radius) return 0;
  const double inset = margin + 2.0 / 16;
  if (u < inset || u > 1 - inset || v < inset || v > 1 - inset) return 0xFF2E3A4A;  // frame
  if (std::hypot(u - 0.66, v - 0.36) < 0.1) return 0xFFFFD23F;                      // sun
  if (v > 0.70 + 0.05 * std::sin(u * 9)) return 0xFF3C8D3C;                         // meadow
  if (v > 0.42 + std::abs(u - 0.40) * 1.1) return 0xFF4A6B8A;                       // hill
  const auto sky = static_cast<std::uint32_t>(std::lround(96 + 120 * v));
  return 0xFF000000u | (sky / 2 << 16) | (std::min(sky + 40, 255u) << 8) | 0xF0;
}

// Four by four samples per pixel, averaged, so the edges are smooth at every size.
IconPicture DrawDefaultIcon(int size) {
  constexpr int kSamples = 4;
  IconPicture picture{size, size, 32, std::vector<std::uint32_t>(static_cast<size_t>(size) * size)};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double sum[4] = {};
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const std::uint32_t s =
              DefaultIconAt((x + (sx + 0.5) / kSamples) / size, (y + (sy + 0.5) / kSamples) / size);
          const double alpha = (s >> 24) / 255.0;
          sum[0] += alpha;
          for (int c = 0; c < 3; ++c) sum[c + 1] += alpha * ((s >> (16 - 8 * c)) & 0xFF);
        }
      }
      const double alpha = sum[0] / (kSamples * kSamples);
      std::uint32_t pixel = 0;
      if (alpha > 0) {
        pixel = static_cast<std::uint32_t>(std::lround(alpha * 255)) << 24;
        for (int c = 0; c < 3; ++c) {
          const auto channel = static_cast<std::uint32_t>(std::lround(sum[c + 1] / sum[0]));
          pixel |= std::min(channel, 255u) << (16 - 8 * c);
        }
      }
      picture.argb[static_cast<size_t>(y) * size + x] = pixel;
    }
  }
  return picture;
}

}  // namespace

std::string ReadIconFile(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxIconFileBytes) throw std::runtime_error("Icon file is too large");
  std::string bytes = ReadWholeFile(path);
  if (bytes.size() > kMaxIconFileBytes) throw std::runtime_error("Icon file is too large");
  if (!ReadIcoDirectory(bytes)) throw std::runtime_error("Icon file is invalid");
  return bytes;
}

std::string IconFromBitmap(const Bitmap& bitmap) {
  Bitmap colour(kSystemIconSize, kSystemIconSize);
  const int w = std::min(bitmap.Width(), kSystemIconSize);
  const int h = std::min(bitmap.Height(), kSystemIconSize);
  std::vector<bool> mask(static_cast<size_t>(kSystemIconSize) * kSystemIconSize, false);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Color pixel = bitmap.Pixel(x, y);
      colour.SetPixel(x, y, pixel);
      mask[static_cast<size_t>(y) * kSystemIconSize + x] = pixel == kWhite;
    }
  }
  return EncodeMaskedIco(colour, mask);
}

Bitmap IconColourImage(std::string_view ico) {
  const std::vector<IconPicture> pictures = DecodeIcoImages(ico);
  const IconPicture* closest = ClosestIconPicture(pictures, kSystemIconSize);
  if (!closest) throw std::runtime_error("Wrong IconInfo Structure");
  Bitmap colour = ColourOf(*closest);
  if (colour.Width() == kSystemIconSize && colour.Height() == kSystemIconSize) return colour;
  Bitmap sized(kSystemIconSize, kSystemIconSize);
  ResizeBilinear(colour, sized);
  return sized;
}

std::string IconText(std::string_view ico) { return HexEncode(EncodeBmp(IconColourImage(ico))); }

std::string IconFromText(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return {};
  return IconFromBitmap(DecodeBmp(HexDecode(text)));
}

std::vector<IconPicture> DefaultIconPictures() {
  std::vector<IconPicture> pictures;
  for (int size : {16, 32, 48, 64}) pictures.push_back(DrawDefaultIcon(size));
  return pictures;
}

std::string DefaultIconFile() { return EncodeIco(DefaultIconPictures()); }

}  // namespace vx
