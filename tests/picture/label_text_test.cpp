// Labels drawn into pictures in every script: the compiled-in font where it has the glyphs,
// the machine's fonts (Noto CJK and colour emoji, installed for the tests) for the rest.
#include <gtest/gtest.h>

#include <cstdlib>

#include "picture/canvas.h"
#include "support/png_output.h"
#include "support/raw_pixels.h"
#include "support/temp_folder.h"
#include "text/utf8.h"

namespace vx {
namespace {

constexpr Color kWhite = 0xFFFFFF, kBlack = 0x000000;
// No font has characters of the last private-use plane: this one is always drawn as the box.
constexpr const char* kBox = "\U0010FFFD";
constexpr const char* kEveryScript = "Vellumax Привет 中文 日本語かな 한국어 مرحبا שלום 😀🎉";

Size Measured(std::string_view text) {
  Bitmap scratch(1, 1);
  return Canvas(scratch).MeasureText(text);
}

Bitmap Drawn(std::string_view text) {
  const Size size = Measured(text);
  Bitmap bitmap(size.width + 8, size.height);
  bitmap.Fill(kWhite);
  Canvas(bitmap).Text(4, 0, text, kBlack, kWhite);
  return bitmap;
}

int InkPixels(const Bitmap& b) {
  int ink = 0;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) ink += b.Pixel(x, y) != kWhite;
  }
  return ink;
}

TEST(LabelText, EveryScriptDrawsWithoutBoxes) {
  const Bitmap box = Drawn(kBox);
  for (const char32_t code : CodePointsFromUtf8(kEveryScript)) {
    if (code == U' ') continue;
    const std::string letter = Utf8FromCodePoints(std::u32string(1, code));
    const Bitmap drawn = Drawn(letter);
    EXPECT_FALSE(drawn == box) << "U+" << std::hex << unsigned(code) << " is a box";
    EXPECT_GT(InkPixels(drawn), 4) << "U+" << std::hex << unsigned(code) << " is blank";
  }
  test::SavePng(Drawn(kEveryScript), "label_every_script.png");
}

TEST(LabelText, RunsOfEachFontSitWhereTheyWereMeasured) {
  // Pieces that each take one font, drawn one after another at their measured widths, make
  // the same pixels as the whole label.
  const char* pieces[] = {"Ab ", "中文", " Да ", "😀", " 한"};
  std::string whole;
  int width = 0;
  for (const char* piece : pieces) {
    whole += piece;
    width += Measured(piece).width;
  }
  EXPECT_EQ(Measured(whole).width, width);
  Bitmap joined(width + 8, Measured(whole).height);
  joined.Fill(kWhite);
  {
    Canvas canvas(joined);
    int x = 4;
    for (const char* piece : pieces) {
      canvas.Text(x, 0, piece, kBlack, kWhite);
      x += Measured(piece).width;
    }
  }
  EXPECT_TRUE(Drawn(whole) == joined);
}

TEST(LabelText, RightToLeftWordsAreDrawnInVisualOrder) {
  // Hebrew needs no joining: the word drawn equals its letters drawn one by one, last first.
  const char* letters[] = {"ש", "ל", "ו", "ם"};
  Bitmap reversed = Drawn("שלום");
  reversed.Fill(kWhite);
  {
    Canvas canvas(reversed);
    int x = 4;
    for (int i = 3; i >= 0; --i) {
      canvas.Text(x, 0, letters[i], kBlack, kWhite);
      x += Measured(letters[i]).width;
    }
  }
  EXPECT_TRUE(Drawn("שלום") == reversed);
}

TEST(LabelText, WithoutMachineFontsMissingLettersAreTheBoxAndLatinIsUnchanged) {
  test::TempFolder folder;
  const std::string latin = "Hello, Grüße Привет";
  // The child runs this test anew, in a folder of its own: it finds these through the
  // environment it inherits, set once.
  setenv("VX_EMPTY_FONT_CONFIG",
         folder.Write("empty.conf", "<?xml version=\"1.0\"?><fontconfig></fontconfig>").c_str(), 0);
  setenv("VX_DRAWN_WITHOUT_FONTS", (folder / "without.rgb").c_str(), 0);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // A process of its own, so fontconfig starts with a configuration that has no fonts.
  EXPECT_EXIT(
      {
        setenv("FONTCONFIG_FILE", std::getenv("VX_EMPTY_FONT_CONFIG"), 1);
        const Bitmap b = Drawn(latin);
        test::WriteRawPixels(b, std::getenv("VX_DRAWN_WITHOUT_FONTS"));
        std::exit(Drawn("A中B") == Drawn(std::string("A") + kBox + "B") ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
  const Bitmap with = Drawn(latin);
  EXPECT_TRUE(test::ReadRawPixels(std::getenv("VX_DRAWN_WITHOUT_FONTS")) == test::RawPixels(with));
}

}  // namespace
}  // namespace vx
