// Pictures shaped like those from cameras, phones and old programs, each added to a project
// that vellumax-make makes into an archive, then read back from the archive: upright, whole,
// in the colours they show.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "blocks/data_blocks.h"
#include "picture/jpeg_codec.h"
#include "picture/resample.h"
#include "platform/files.h"
#include "support/temp_folder.h"
#include "support/wild_jpegs.h"

namespace vx {
namespace {

using test::JpegShape;

constexpr Color kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kBlack = 0;

// 96 x 64: red, green above; blue, black below. Any turn or mirror shows.
Bitmap Quadrants() {
  Bitmap picture(96, 64);
  picture.FillRect({0, 0, 48, 32}, kRed);
  picture.FillRect({48, 0, 96, 32}, kGreen);
  picture.FillRect({0, 32, 48, 64}, kBlue);
  picture.FillRect({48, 32, 96, 64}, kBlack);
  return picture;
}

Bitmap MirroredLeftRight(const Bitmap& picture) {
  Bitmap mirrored(picture.Width(), picture.Height());
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      mirrored.SetPixel(picture.Width() - 1 - x, y, picture.Pixel(x, y));
  return mirrored;
}

// How a camera stores the upright picture when it writes the orientation: the tag says how
// to turn the stored picture back (6: a quarter turn clockwise, so it was stored turned left).
Bitmap Stored(const Bitmap& upright, int orientation) {
  switch (orientation) {
    case 2:
      return MirroredLeftRight(upright);
    case 3:
      return RotateLeft(RotateLeft(upright));
    case 4:
      return MirroredLeftRight(RotateLeft(RotateLeft(upright)));
    case 5:
      return RotateLeft(MirroredLeftRight(upright));
    case 6:
      return RotateLeft(upright);
    case 7:
      return RotateRight(MirroredLeftRight(upright));
    case 8:
      return RotateRight(upright);
  }
  return upright;
}

int Luma(Color c) {
  return ((c & 0xFF) * 299 + ((c >> 8) & 0xFF) * 587 + ((c >> 16) & 0xFF) * 114 + 500) / 1000;
}

struct Case {
  const char* what;
  JpegShape shape;
  int orientation;
};

const Case kCases[] = {
    {"orientation 1", JpegShape::Plain, 1},
    {"orientation 2, mirrored", JpegShape::Plain, 2},
    {"orientation 3, upside down", JpegShape::Plain, 3},
    {"orientation 4, mirrored upside down", JpegShape::Plain, 4},
    {"orientation 5, transposed", JpegShape::Plain, 5},
    {"orientation 6, turned right", JpegShape::Plain, 6},
    {"orientation 7, transversed", JpegShape::Plain, 7},
    {"orientation 8, turned left", JpegShape::Plain, 8},
    {"extraneous bytes before a marker", JpegShape::ExtraneousBytes, 1},
    {"truncated end", JpegShape::Truncated, 1},
    {"CMYK inverted, Adobe", JpegShape::CmykAdobe, 1},
    {"CMYK plain", JpegShape::CmykPlain, 1},
    {"YCCK", JpegShape::Ycck, 1},
    {"greyscale", JpegShape::Grey, 1},
    {"progressive", JpegShape::Progressive, 1},
    {"restart markers", JpegShape::Restarts, 1},
    {"CMYK turned right", JpegShape::CmykAdobe, 6},
};

void ExpectColour(const Bitmap& picture, int x, int y, Color expected, bool grey,
                  const char* what) {
  const Color got = picture.Pixel(x, y);
  for (int shift : {0, 8, 16}) {
    const int want = grey ? Luma(expected) : static_cast<int>((expected >> shift) & 0xFF);
    EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), want, 40)
        << what << " at " << x << "," << y;
  }
}

// Runs vellumax-make on the project as a person would; its messages land in errors.txt.
int RunMake(const test::TempFolder& dir, const std::string& project) {
  const std::string viewer = dir.Write("viewer-stub", "VIEWER PROGRAM");
  const std::string command = std::string(VX_MAKE_PATH) + " " + project + " --viewer " + viewer +
                              " >" + (dir / "out.txt") + " 2>" + (dir / "errors.txt");
  return std::system(command.c_str());
}

TEST(WildPictures, EveryOneMakesAnArchiveThatShowsItUpright) {
  const test::TempFolder dir;
  const Bitmap upright = Quadrants();
  std::string frames;
  for (size_t i = 0; i < std::size(kCases); ++i) {
    const Case& c = kCases[i];
    const std::string path =
        dir.Write("w" + std::to_string(i) + ".jpg",
                  test::WildJpeg(Stored(upright, c.orientation), c.shape, c.orientation));
    frames += "<FRAME FRAME_ID=W" + std::to_string(i) + " SRC_FILE=\"" + path + "\"/>";
  }
  const std::string archive = dir / "wild.run";
  const std::string project =
      dir.Write("wild.vxpr", "<VX OUTPUT_FILE=\"" + archive + "\" JPQ=95>" + frames + "</VX>");
  ASSERT_EQ(RunMake(dir, project), 0) << ReadWholeFile(dir / "errors.txt");

  const ArchiveImage image(archive);
  for (size_t i = 0; i < std::size(kCases); ++i) {
    const Case& c = kCases[i];
    const std::string_view stored = image.ReadBlock("W" + std::to_string(i));
    EXPECT_EQ(stored.find("Exif"), std::string_view::npos) << c.what;  // upright, no tag
    const Bitmap picture = DecodeJpeg(stored);
    ASSERT_EQ(picture.Width(), 96) << c.what;
    ASSERT_EQ(picture.Height(), 64) << c.what;
    const bool grey = c.shape == JpegShape::Grey;
    ExpectColour(picture, 24, 16, kRed, grey, c.what);
    ExpectColour(picture, 72, 16, kGreen, grey, c.what);
    if (c.shape == JpegShape::Truncated) continue;  // its lower part is libjpeg's grey
    ExpectColour(picture, 24, 48, kBlue, grey, c.what);
    ExpectColour(picture, 72, 48, kBlack, grey, c.what);
  }
}

TEST(WildPictures, APictureThatCannotBeReadIsNamedWithTheReason) {
  const test::TempFolder dir;
  const std::string good = dir.Write("good.jpg", *EncodeJpeg(Quadrants(), 90));
  const std::string bad = dir.Write("bad.jpg", "plain text, not a picture");
  const std::string archive = dir / "bad.run";
  const std::string project =
      dir.Write("bad.vxpr", "<VX OUTPUT_FILE=\"" + archive + "\"><FRAME FRAME_ID=G SRC_FILE=\"" +
                                good + "\"/><FRAME FRAME_ID=B SRC_FILE=\"" + bad + "\"/></VX>");
  EXPECT_NE(RunMake(dir, project), 0);
  const std::string errors = ReadWholeFile(dir / "errors.txt");
  EXPECT_NE(errors.find("Picture " + bad + " cannot be read: Not a JPEG file"), std::string::npos)
      << errors;
  EXPECT_FALSE(FileExists(archive));
}

}  // namespace
}  // namespace vx
