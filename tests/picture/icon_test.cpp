#include "picture/icon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document/conversions.h"
#include "document/project.h"
#include "document/vocabulary.h"
#include "picture/bmp_codec.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

// The AND mask bit of pixel (x, y) of the only image of a 24-bit 32 x 32 icon we wrote.
bool MaskBit(const std::string& ico, int x, int y) {
  const size_t maskAt = 6 + 16 + 40 + 32 * 32 * 3;
  const size_t row = maskAt + static_cast<size_t>(31 - y) * 4;
  return (static_cast<unsigned char>(ico[row + x / 8]) >> (7 - x % 8)) & 1;
}

TEST(Icon, MadeFromABitmapDrawnAtTheCornerWithWhiteMasked) {
  Bitmap picture(40, 20);  // wider than an icon, not as tall
  picture.Fill(0x336699);
  picture.SetPixel(1, 1, 0xFFFFFF);
  picture.SetPixel(31, 19, 0xFEFFFF);  // nearly white is not masked
  const std::string ico = IconFromBitmap(picture);
  const auto directory = ReadIcoDirectory(ico);
  ASSERT_TRUE(directory);
  ASSERT_EQ(directory->entries.size(), 1u);
  EXPECT_EQ(directory->entries[0].width, 32);
  EXPECT_EQ(directory->entries[0].bitCount, 24);
  EXPECT_TRUE(MaskBit(ico, 1, 1));
  EXPECT_FALSE(MaskBit(ico, 0, 0));
  EXPECT_FALSE(MaskBit(ico, 31, 19));
  EXPECT_FALSE(MaskBit(ico, 5, 25));  // below the picture: black, opaque

  const Bitmap colour = IconColourImage(ico);
  ASSERT_EQ(colour.Width(), 32);
  EXPECT_EQ(colour.Pixel(0, 0), 0x336699u);
  EXPECT_EQ(colour.Pixel(1, 1), 0xFFFFFFu);
  EXPECT_EQ(colour.Pixel(31, 19), 0xFEFFFFu);
  EXPECT_EQ(colour.Pixel(5, 25), 0u);
}

TEST(Icon, TextIsAColourBmpAndGivesTheSameIconBack) {
  const std::string ico = IconFromBitmap(Bitmap(8, 8));
  const std::string text = IconText(ico);
  const Bitmap stored = DecodeBmp(HexDecode(text));
  EXPECT_EQ(stored.Width(), 32);
  EXPECT_EQ(stored.Height(), 32);
  EXPECT_EQ(IconFromText(text), ico);
  EXPECT_EQ(IconFromText(" \r\n" + text + "\n"), ico);
  EXPECT_EQ(IconFromText(" \t"), "");
  EXPECT_THROW(IconFromText("not hex"), std::runtime_error);
  EXPECT_THROW(IconFromText(HexEncode("BM but no bitmap")), std::runtime_error);
}

TEST(Icon, ColourImageComesFromTheClosestPictureAtTheSystemSize) {
  IconPicture big{64, 64, 32, std::vector<std::uint32_t>(64 * 64, 0xFF20C040)};
  IconPicture small{16, 16, 32, std::vector<std::uint32_t>(16 * 16, 0xFFFF0000)};
  const Bitmap colour = IconColourImage(EncodeIco({small, big}));
  ASSERT_EQ(colour.Width(), 32);
  EXPECT_EQ(colour.Pixel(16, 16), 0x40C020u);
  try {
    IconColourImage(std::string("\0\0\1\0\0\0", 6));  // a valid icon of no images
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Wrong IconInfo Structure");
  }
}

TEST(Icon, SeveralImagesSurviveAProjectAsOneWithItsMaskRecomputed) {
  test::TempFolder dir;
  // A file of several images whose closest one has a white pixel and transparent corners.
  IconPicture icon32{32, 32, 32, std::vector<std::uint32_t>(32 * 32, 0xFF0000FF)};
  icon32.argb[0] = 0;
  icon32.argb[33] = 0xFFFFFFFF;
  const std::string file =
      EncodeIco({IconPicture{16, 16, 32, std::vector<std::uint32_t>(256, 0xFFFF0000)}, icon32});
  TKelPigger project;
  project.Name = names::kProjectRoot;
  project.SetAttr(names::kIcon, IconText(file));
  project.SaveToFile(dir / "p.vxpr");
  const Project loaded = LoadProjectFile(dir / "p.vxpr");
  const std::string restored = IconFromText(loaded.document->GetAttr(names::kIcon));
  const auto pictures = DecodeIcoImages(restored);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].width, 32);
  EXPECT_EQ(pictures[0].argb[0], 0xFF000000u);   // the transparent corner kept its black
  EXPECT_TRUE(MaskBit(restored, 1, 1));          // white is masked
  EXPECT_EQ(pictures[0].argb[33], 0xFFFFFFFFu);  // and still shown
  EXPECT_EQ(pictures[0].argb[2], 0xFF0000FFu);
}

TEST(Icon, FilesAreCheckedBeforeUse) {
  test::TempFolder dir;
  auto write = [&](const std::string& name, const std::string& bytes, size_t size) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    std::filesystem::resize_file(dir / name, size);
    return dir / name;
  };
  const std::string empty("\0\0\1\0\0\0", 6);
  struct Case {
    const char* what;
    std::string path;
    const char* message;  // nothing: read
  };
  const Case cases[] = {
      {"1 MiB exactly", write("max.ico", empty, kMaxIconFileBytes), nullptr},
      {"a byte more", write("big.ico", empty, kMaxIconFileBytes + 1), "Icon file is too large"},
      {"not an icon", write("mz.ico", "MZ\1\0\0\0", 6), "Icon file is invalid"},
      {"missing", dir / "none.ico", nullptr},
  };
  for (const Case& c : cases) {
    try {
      const std::string bytes = ReadIconFile(c.path);
      EXPECT_EQ(c.message, nullptr) << c.what;
      EXPECT_EQ(bytes.size(), kMaxIconFileBytes) << c.what;
    } catch (const std::runtime_error& e) {
      if (c.message) {
        EXPECT_STREQ(e.what(), c.message) << c.what;
      } else {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + c.path) << c.what;
      }
    }
  }
}

TEST(Icon, DefaultIconHasFourSizesWithTransparentCorners) {
  const auto pictures = DecodeIcoImages(DefaultIconFile());
  ASSERT_EQ(pictures.size(), 4u);
  EXPECT_EQ(pictures, DefaultIconPictures());
  for (const IconPicture& p : pictures) {
    EXPECT_EQ(p.argb.front() >> 24, 0u);
    EXPECT_EQ(p.argb[static_cast<size_t>(p.height / 2) * p.width + p.width / 2] >> 24, 255u);
  }
}

}  // namespace
}  // namespace vx
