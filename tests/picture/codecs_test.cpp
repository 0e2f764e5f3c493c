#include <gtest/gtest.h>

#include <filesystem>

#include "formats/picture_file.h"
#include "picture/bmp_codec.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "support/test_data.h"

namespace vx {
namespace {

Bitmap Gradient(int width, int height) {
  Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.SetPixel(
          x, y, static_cast<Color>((x * 255 / width) | ((y * 255 / height) << 8) | (128 << 16)));
  return bitmap;
}

TEST(Bmp, RoundTripsEveryRowPadding) {
  for (int width : {1, 2, 3, 4, 5}) {
    const Bitmap source = Gradient(width, 3);
    const std::string file = EncodeBmp(source);
    EXPECT_EQ(file.size(), 54u + Bitmap::StrideFor(width) * 3u);
    EXPECT_EQ(DecodeBmp(file), source) << width;
  }
}

TEST(Bmp, ReadsPaletteThirtyTwoBitAndTopDownFiles) {
  // 2 x 2, 8-bit palette of two entries, top-down (negative height).
  std::string file = "BM";
  auto put32 = [&](std::uint32_t v) { file.append(reinterpret_cast<const char*>(&v), 4); };
  auto put16 = [&](std::uint16_t v) { file.append(reinterpret_cast<const char*>(&v), 2); };
  put32(0);
  put32(0);
  put32(14 + 40 + 8);  // size, reserved, pixel offset
  put32(40);
  put32(2);
  put32(static_cast<std::uint32_t>(-2));
  put16(1);
  put16(8);
  put32(0);
  put32(0);
  put32(0);
  put32(0);
  put32(2);
  put32(0);  // 2 palette entries
  file += std::string(
      "\x00\x00\xFF\x00"
      "\xFF\x00\x00\x00",
      8);  // red, blue
  file += std::string(
      "\x00\x01\x00\x00"
      "\x01\x00\x00\x00",
      8);  // rows, padded to 4
  const Bitmap palette = DecodeBmp(file);
  EXPECT_EQ(palette.Pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(palette.Pixel(1, 0), 0xFF0000u);
  EXPECT_EQ(palette.Pixel(0, 1), 0xFF0000u);
  file[file.size() - 8] = 7;  // an index past the palette
  EXPECT_THROW(DecodeBmp(file), std::runtime_error);
}

TEST(Jpeg, DecodesFullAndQuarterSize) {
  const Bitmap source = Gradient(64, 48);
  const auto jpeg = EncodeJpeg(source, 90);
  ASSERT_TRUE(jpeg);
  EXPECT_TRUE(LooksLikeJpeg(*jpeg));
  const Bitmap full = DecodeJpeg(*jpeg);
  ASSERT_EQ(full.Width(), 64);
  ASSERT_EQ(full.Height(), 48);
  EXPECT_NEAR(static_cast<int>(full.Pixel(32, 24) & 0xFF),
              static_cast<int>(source.Pixel(32, 24) & 0xFF), 6);
  const Bitmap quarter = DecodeJpeg(*jpeg, JpegScale::Quarter);
  EXPECT_EQ(quarter.Width(), 16);
  EXPECT_EQ(quarter.Height(), 12);
}

TEST(Jpeg, EncoderFailingInItsOutputFreesItOnce) {
  // Noise makes a file larger than the encoder's first buffer: failures before, at and after
  // a growth of the output (under the sanitizers, a double free or leak would show).
  Bitmap noise(320, 320);
  std::uint32_t seed = 1;
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 320 * 3; ++x)
      noise.Row(y)[x] = static_cast<std::uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
  const auto whole = EncodeJpeg(noise, 95);
  ASSERT_TRUE(whole);
  ASSERT_GT(whole->size(), 100000u);
  for (size_t limit :
       {size_t{0}, size_t{1}, size_t{1000}, size_t{65536}, size_t{100000}, whole->size() - 1}) {
    EXPECT_FALSE(EncodeJpegWithin(noise, 95, limit)) << limit;
  }
  EXPECT_EQ(EncodeJpegWithin(noise, 95, whole->size()), whole);
}

TEST(Jpeg, WarningsAreToleratedUpToACap) {
  // Empty APP5 segments after the start, each behind a stray byte: one warning apiece.
  const std::string clean = *EncodeJpeg(Gradient(16, 16), 90);
  const auto warnings = [&](int count) {
    std::string file = clean.substr(0, 2);
    for (int i = 0; i < count; ++i) file += std::string("\x00\xFF\xE5\x00\x02", 5);
    return file + clean.substr(2);
  };
  EXPECT_EQ(DecodeJpeg(warnings(100)).Width(), 16);
  try {
    DecodeJpeg(warnings(101));
    ADD_FAILURE() << "a hundred and one warnings decoded";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Too many warnings in JPEG file");
  }
}

TEST(Jpeg, StepDownTriesSeventeenQualitiesAtMost) {
  const Bitmap source = Gradient(8, 8);
  std::vector<int> tried;
  auto failTwice = [&](const Bitmap& b, int q) -> std::optional<std::string> {
    tried.push_back(q);
    return tried.size() < 3 ? std::nullopt : EncodeJpeg(b, q);
  };
  EXPECT_EQ(EncodeJpegStepDown(source, 65, failTwice), EncodeJpeg(source, 55));
  EXPECT_EQ(tried, (std::vector<int>{65, 60, 55}));

  tried.clear();
  int pumped = 0;
  auto alwaysFail = [&](const Bitmap&, int q) -> std::optional<std::string> {
    tried.push_back(q);
    return std::nullopt;
  };
  EXPECT_FALSE(EncodeJpegStepDown(source, 50, alwaysFail, [&] { ++pumped; }));
  EXPECT_EQ(tried.size(), 17u);
  EXPECT_EQ(pumped, 17);
  EXPECT_EQ(tried.back(), 1);  // never below 1
}

TEST(PictureFiles, EveryFormatLoadsTheSameSample) {
  // A 4 x 3 red picture with a blue top-left and a green bottom-right pixel.
  for (const char* name : {"sample.png", "sample.gif", "sample.tif", "sample.tga", "sample.psd",
                           "sample.ppm", "sample.webp", "sample.bmp"}) {
    const Bitmap bitmap = LoadPictureFile(test::DataPath(std::string("pictures/") + name));
    ASSERT_EQ(bitmap.Width(), 4) << name;
    ASSERT_EQ(bitmap.Height(), 3) << name;
    EXPECT_EQ(bitmap.Pixel(1, 1), 0x0000FFu) << name;
    EXPECT_EQ(bitmap.Pixel(0, 0), 0xFF0000u) << name;
    EXPECT_EQ(bitmap.Pixel(3, 2), 0x00FF00u) << name;
  }
}

TEST(PictureFiles, MalformedFilesFailCleanly) {
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(test::DataPath("malformed"))) {
    EXPECT_THROW(LoadPictureFile(entry.path().string()), std::runtime_error) << entry.path();
    ++checked;
  }
  EXPECT_GE(checked, 10);
  EXPECT_THROW(LoadPictureFile(test::DataPath("pictures/none.png")), std::runtime_error);
  EXPECT_THROW(LoadPictureBytes("plain text", "txt"), std::runtime_error);
}

TEST(PictureFiles, PatternListsEveryExtension) {
  const std::string pattern = PictureFilePattern();
  for (const char* extension : {"jpg", "png", "gif", "bmp", "tif", "tga", "psd", "ppm", "webp"}) {
    EXPECT_NE(pattern.find(extension), std::string::npos) << extension;
  }
}

}  // namespace
}  // namespace vx
