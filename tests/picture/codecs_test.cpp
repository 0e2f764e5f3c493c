#include <gtest/gtest.h>

#include <filesystem>

#include "formats/picture_file.h"
#include "formats/picture_preview.h"
#include "picture/bmp_codec.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "support/temp_folder.h"
#include "support/test_data.h"
#include "support/wild_jpegs.h"

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

TEST(Jpeg, ThumbnailDecodingTakesTheSmallestScalingThatCoversTheFit) {
  const struct {
    const char* what;
    Size picture, box, decoded;
  } cases[] = {
      {"a camera's picture: an eighth", {1600, 1200}, {149, 109}, {200, 150}},
      {"an eighth would fall short: a quarter", {1000, 600}, {149, 109}, {250, 150}},
      {"rounded up by libjpeg", {1601, 1201}, {149, 109}, {201, 151}},
      {"a half", {400, 300}, {149, 109}, {200, 150}},
      {"a small picture stays whole", {120, 90}, {149, 109}, {120, 90}},
      {"a tall picture fits by its height", {600, 2400}, {149, 109}, {75, 300}},
  };
  for (const auto& c : cases) {
    const auto jpeg = EncodeJpeg(Gradient(c.picture.width, c.picture.height), 80);
    ASSERT_TRUE(jpeg);
    const Bitmap decoded = DecodeJpegForBox(*jpeg, c.box);
    EXPECT_EQ(decoded.Width(), c.decoded.width) << c.what;
    EXPECT_EQ(decoded.Height(), c.decoded.height) << c.what;
  }
}

TEST(PictureFiles, ThumbnailOfATurnedPhotoComesUpright) {
  // Stored 1600 x 800 and turned a quarter by EXIF: upright it is 800 x 1600, and a box of
  // 149 x 109 needs 54 x 109 of it, which an eighth still covers.
  test::TempFolder dir;
  const std::string path =
      dir.Write("turned.jpg", test::WildJpeg(Gradient(1600, 800), test::JpegShape::Plain, 6));
  const Bitmap picture = LoadPictureFileForBox(path, {149, 109});
  EXPECT_EQ(picture.Width(), 100);
  EXPECT_EQ(picture.Height(), 200);
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

// The picture libjpeg's own program djpeg gives for a file, as every picture viewer shows it.
Bitmap DecodedByDjpeg(const test::TempFolder& dir, const std::string& file, bool quarter) {
  const std::string in = dir.Write("in.jpg", file), out = dir / "out.ppm";
  const std::string command = std::string("djpeg -pnm ") + (quarter ? "-scale 1/4 " : "") +
                              "-outfile " + out + " " + in + " 2>/dev/null";
  // djpeg ends with status 2 after warnings; its picture is still whole.
  if (std::system(command.c_str()) == -1 || !FileExists(out)) return {};
  const std::string ppm = ReadWholeFile(out);
  // P6 for colour, P5 (one byte per pixel) for greyscale.
  int kind = 0, width = 0, height = 0, consumed = 0;
  if (std::sscanf(ppm.c_str(), "P%d %d %d 255%n", &kind, &width, &height, &consumed) != 3)
    return {};
  const int step = kind == 6 ? 3 : 1;
  Bitmap bitmap(width, height);
  const auto* pixels = reinterpret_cast<const std::uint8_t*>(ppm.data() + consumed + 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, pixels += step) {
      const Color r = pixels[0], g = pixels[step / 2], b = pixels[step - 1];
      bitmap.SetPixel(x, y, r | g << 8 | b << 16);
    }
  }
  return bitmap;
}

TEST(Jpeg, DamagedFilesDecodeExactlyAsLibjpegGivesThem) {
  // Cut at different places, a marker in the middle of the data, restart intervals: the rows
  // after the end of the data come out as libjpeg's own program gives them, at both scales.
  const test::TempFolder dir;
  Bitmap tall = Gradient(64, 480);
  for (int y = 0; y < 480; ++y) tall.FillRect({y % 64, y, y % 64 + 3, y + 1}, 0x2080F0);
  using test::JpegShape;
  const auto cut = [](std::string file, double part) {
    file.resize(static_cast<size_t>(file.size() * part));
    return file;
  };
  const auto markerInside = [](std::string file) {
    file.replace(file.size() / 2, 2, "\xFF\xD8");
    return file;
  };
  const struct {
    const char* what;
    std::string file;
  } cases[] = {
      {"cut early", cut(test::WildJpeg(tall, JpegShape::Plain), 0.3)},
      {"cut late", cut(test::WildJpeg(tall, JpegShape::Plain), 0.8)},
      {"cut with restart markers", cut(test::WildJpeg(tall, JpegShape::Restarts), 0.4)},
      {"a marker inside the data", markerInside(test::WildJpeg(tall, JpegShape::Plain))},
      {"restarts and a marker inside", markerInside(test::WildJpeg(tall, JpegShape::Restarts))},
      {"cut greyscale", cut(test::WildJpeg(tall, JpegShape::Grey), 0.5)},
      {"cut CMYK", cut(test::WildJpeg(tall, JpegShape::CmykAdobe), 0.5)},
      {"cut progressive", cut(test::WildJpeg(tall, JpegShape::Progressive), 0.5)},
  };
  for (const auto& c : cases) {
    for (bool quarter : {false, true}) {
      const Bitmap expected = DecodedByDjpeg(dir, c.file, quarter);
      ASSERT_FALSE(expected.Empty()) << c.what;
      EXPECT_EQ(DecodeJpeg(c.file, quarter ? JpegScale::Quarter : JpegScale::Full), expected)
          << c.what << (quarter ? ", quarter" : "");
    }
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

TEST(PictureFiles, PreviewFitsTheBoxUpright) {
  test::TempFolder dir;
  // Stored on its side as a camera does: upright it is 300 wide and 400 high.
  const std::string turned =
      dir.Write("turned.jpg", test::WildJpeg(Gradient(400, 300), test::JpegShape::Plain, 6));
  const std::string png = test::DataPath("pictures/sample.png");  // 4 x 3
  struct Case {
    const char* what;
    std::string path;
    Size box, expected;
  } cases[] = {
      {"JPEG turned upright", turned, {100, 100}, {75, 100}},
      {"JPEG in a wide box", turned, {200, 80}, {60, 80}},
      {"small picture enlarged", png, {40, 40}, {40, 30}},
      {"zero box", png, {0, 0}, {1, 1}},
      {"zero box, JPEG", turned, {0, 10}, {1, 1}},
  };
  for (const Case& c : cases) {
    const Bitmap preview = LoadPicturePreview(c.path, c.box);
    EXPECT_EQ((Size{preview.Width(), preview.Height()}), c.expected) << c.what;
  }
  // The gradient runs left to right in red: upright, the left edge holds the top rows.
  const Bitmap upright = LoadPicturePreview(turned, {30, 40});
  EXPECT_LT(upright.Pixel(15, 2) & 0xFF, upright.Pixel(15, 37) & 0xFF);
  EXPECT_THROW(LoadPicturePreview(dir.Write("broken.jpg", "\xFF\xD8\xFF broken"), {50, 50}),
               std::runtime_error);
  EXPECT_THROW(LoadPicturePreview(dir / "none.jpg", {50, 50}), std::runtime_error);
}

TEST(PictureFiles, PatternListsEveryExtension) {
  const std::string pattern = PictureFilePattern();
  for (const char* extension : {"jpg", "png", "gif", "bmp", "tif", "tga", "psd", "ppm", "webp"}) {
    EXPECT_NE(pattern.find(extension), std::string::npos) << extension;
  }
}

}  // namespace
}  // namespace vx
