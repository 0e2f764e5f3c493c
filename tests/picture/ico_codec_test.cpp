#include "picture/ico_codec.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>

#include "picture/byte_order.h"

namespace vx {
namespace {

struct Image {
  std::uint32_t offset, size;
};

// Header (reserved 0, type 1, count) and one entry per image, padded or cut to total bytes.
std::string Directory(std::uint16_t count, const std::vector<Image>& images, size_t total) {
  std::string out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, count);
  for (const Image& image : images) {
    out += std::string("\x20\x20\0\0", 4);  // 32 x 32, no palette, reserved
    Put16(out, 1);                          // planes
    Put16(out, 32);                         // bits
    Put32(out, image.size);
    Put32(out, image.offset);
  }
  out.resize(total, '\0');
  return out;
}

TEST(IcoDirectory, ValidityFollowsTheFileAndItsEntries) {
  struct Case {
    const char* what;
    std::string bytes;
    bool valid;
  };
  std::string mz = Directory(0, {}, 6);
  mz[0] = 'M';
  mz[1] = 'Z';
  const Case cases[] = {
      {"five bytes", std::string(5, '\0'), false},
      {"six bytes, no images", Directory(0, {}, 6), true},
      {"starts with MZ, shaped like an icon", mz, false},
      {"entry table cut short", Directory(1, {{22, 0}}, 21), false},
      {"image ends exactly at the end", Directory(1, {{22, 4}}, 26), true},
      {"image one byte past the end", Directory(1, {{22, 5}}, 26), false},
      {"image starts past the end, empty", Directory(1, {{27, 0}}, 26), false},
      {"offset + size overflows 32 bits", Directory(1, {{0xFFFFFFF0u, 0x20}}, 26), false},
      {"offset + size exactly 2^32 - 1 is past this file", Directory(1, {{0xFFFFFFF0u, 0xF}}, 26),
       false},
      {"second entry bad", Directory(2, {{38, 2}, {38, 3}}, 40), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadIcoDirectory(c.bytes).has_value(), c.valid) << c.what;
  }
  EXPECT_EQ(ReadIcoDirectory(Directory(2, {{38, 2}, {39, 1}}, 40))->entries.size(), 2u);
}

IconPicture Picture(int w, int h, std::vector<std::uint32_t> argb, int bits = 32) {
  return {w, h, bits, std::move(argb)};
}

TEST(IcoCodec, ThirtyTwoBitImagesKeepTheirAlphaAndTransparencyIsBlack) {
  const IconPicture a = Picture(3, 2,
                                {0xFF112233, 0x80FF0000, 0x00000000,  //
                                 0xFFFFFFFF, 0x01000001, 0xFF000000});
  const IconPicture b = Picture(1, 1, {0x00ABCDEF});  // transparent, with a colour
  const std::string file = EncodeIco({a, b});
  ASSERT_TRUE(LooksLikeIco(file));
  const auto pictures = DecodeIcoImages(file);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0], a);
  EXPECT_EQ(pictures[1], Picture(1, 1, {0}));
}

TEST(IcoCodec, TheMaskMakesBlackTransparentAndLeavesOtherColoursShown) {
  Bitmap colour(2, 2);
  colour.SetPixel(1, 0, 0xFFFFFF);
  colour.SetPixel(0, 1, 0x0000FF);
  // Masked: black (transparent), white (would invert the screen: shown white); unmasked: red
  // and black stay opaque.
  const std::string file = EncodeMaskedIco(colour, {true, true, false, false});
  const auto pictures = DecodeIcoImages(file);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0], Picture(2, 2, {0x00000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF000000}, 24));
}

// A palette image: header, palette, colour rows and mask rows, both bottom-up.
std::string PaletteIco(int bits, int width, int height, const std::vector<std::uint32_t>& palette,
                       const std::vector<int>& indices) {
  std::string image;
  Put32(image, 40);
  Put32(image, width);
  Put32(image, height * 2);
  Put16(image, 1);
  Put16(image, bits);
  for (int i = 0; i < 4; ++i) Put32(image, 0);  // compression, size, resolution
  Put32(image, static_cast<std::uint32_t>(palette.size()));
  Put32(image, 0);
  for (std::uint32_t c : palette) Put32(image, c);
  const int stride = (width * bits + 31) / 32 * 4;
  for (int y = height - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x) {
      const int bit = x * bits;
      row[bit / 8] =
          static_cast<char>(row[bit / 8] | indices[y * width + x] << (8 - bits - bit % 8));
    }
    image += row;
  }
  image += std::string(static_cast<size_t>((width + 31) / 32 * 4 * height), '\0');
  std::string file = Directory(1, {{22, static_cast<std::uint32_t>(image.size())}}, 22);
  return file + image;
}

TEST(IcoCodec, PaletteImagesOfOneFourAndEightBits) {
  const std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  const std::vector<int> indices = {0, 1, 1, 0, 1, 0, 0, 1, 1};  // 3 x 3
  for (int bits : {1, 4, 8}) {
    const auto pictures = DecodeIcoImages(PaletteIco(bits, 3, 3, palette, indices));
    ASSERT_EQ(pictures.size(), 1u) << bits;
    for (size_t i = 0; i < indices.size(); ++i)
      EXPECT_EQ(pictures[0].argb[i], indices[i] ? 0xFFFF0000u : 0xFF000000u) << bits << " " << i;
  }
  // An index past the palette spoils only that image.
  EXPECT_TRUE(DecodeIcoImages(PaletteIco(4, 3, 3, palette, {0, 1, 2, 3, 4, 0, 0, 0, 0})).empty());
}

std::string PngOf(const IconPicture& picture) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = picture.width;
  png.height = picture.height;
  png.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&png, nullptr, &size, 0, picture.argb.data(), 0, nullptr));
  std::string bytes(size, '\0');
  EXPECT_TRUE(
      png_image_write_to_memory(&png, bytes.data(), &size, 0, picture.argb.data(), 0, nullptr));
  return bytes;
}

TEST(IcoCodec, PngImagesAreDecodedBesideBrokenAndOversizedOnes) {
  const IconPicture small = Picture(2, 1, {0xFF102030, 0x7F405060});
  const std::string png = PngOf(small);
  const std::string huge =
      PngOf(Picture(kMaxIconSide + 1, 1, std::vector<std::uint32_t>(kMaxIconSide + 1, 0xFF000000)));
  const std::string broken = png.substr(0, png.size() / 2);
  const auto n = [](const std::string& s) { return static_cast<std::uint32_t>(s.size()); };
  const std::uint32_t first = 6 + 16 * 3;
  std::string file = Directory(
      3, {{first, n(huge)}, {first + n(huge), n(broken)}, {first + n(huge) + n(broken), n(png)}},
      first);
  file += huge + broken + png;
  const auto pictures = DecodeIcoImages(file);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0], small);
}

TEST(IcoCodec, ClosestPictureToASize) {
  auto sized = [](int side, int bits) { return IconPicture{side, side, bits, {}}; };
  struct Case {
    const char* what;
    std::vector<IconPicture> pictures;
    int expectedSide, expectedBits;
  };
  const Case cases[] = {
      {"exact size, deepest", {sized(16, 32), sized(32, 4), sized(32, 32), sized(48, 8)}, 32, 32},
      {"smallest larger one", {sized(16, 32), sized(64, 32), sized(48, 32)}, 48, 32},
      {"largest when all are smaller", {sized(16, 32), sized(24, 8)}, 24, 8},
  };
  for (const Case& c : cases) {
    const IconPicture* closest = ClosestIconPicture(c.pictures, 32);
    ASSERT_NE(closest, nullptr) << c.what;
    EXPECT_EQ(closest->width, c.expectedSide) << c.what;
    EXPECT_EQ(closest->bitCount, c.expectedBits) << c.what;
  }
  EXPECT_EQ(ClosestIconPicture({}, 32), nullptr);
}

}  // namespace
}  // namespace vx
