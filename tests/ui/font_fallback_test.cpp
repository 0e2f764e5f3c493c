// Interface text in every script: real widgets under Xvfb with the Noto CJK and colour emoji
// fonts installed, drawn through the fallback driver.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/png_output.h"
#include "support/raw_pixels.h"
#include "support/temp_folder.h"
#include "support/ui_events.h"  // fl_draw.H, after gtest: X11's macros would break it
#include "text/utf8.h"
#include "ui/font_fallback_driver.h"

// Before the toolkit's headers, whose X11 macros clash with its names.
#include <gtest/gtest.h>

namespace vx {
namespace {

constexpr const char* kEveryScript = "Vellumax Привет 中文 日本語かな 한국어 مرحبا 😀🎉";

// Draws its text at its measured pieces when given some, else as one string.
class TextStrip : public Fl_Widget {
 public:
  TextStrip(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}
  std::string text;
  std::vector<std::string> pieces;

  void draw() override {
    fl_color(FL_WHITE);
    fl_rectf(x(), y(), w(), h());
    fl_font(FL_HELVETICA, 14);
    fl_color(FL_BLACK);
    if (pieces.empty()) return fl_draw(text.c_str(), x() + 4, y() + 18);
    double left = x() + 4;
    for (const std::string& piece : pieces) {
      fl_draw(piece.c_str(), static_cast<int>(left + 0.5), y() + 18);
      left += fl_width(piece.c_str());
    }
  }
};

struct Widgets {
  Fl_Window window{10, 10, 600, 200, "fallback"};
  Fl_Box label{0, 0, 600, 30};
  Fl_Input input{0, 40, 600, 30};
  Fl_Hold_Browser browser{0, 80, 600, 40};
  TextStrip strip{0, 130, 600, 30};

  Widgets() {
    window.end();
    label.box(FL_FLAT_BOX);  // drawn alone, it needs its own background
    label.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    window.show();
    while (!window.visible()) Fl::wait(0.02);
  }

  // Every kind of widget that shows the text.
  std::vector<Fl_Widget*> Kinds() { return {&label, &input, &browser, &strip}; }

  void SetText(const std::string& text) {
    label.copy_label(text.c_str());
    input.value(text.c_str());
    browser.clear();
    browser.add(text.c_str());
    strip.text = text;
    strip.pieces.clear();
    window.redraw();
  }
};

int Distinct(const Bitmap& b) {
  std::vector<Color> seen;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (std::find(seen.begin(), seen.end(), b.Pixel(x, y)) == seen.end())
        seen.push_back(b.Pixel(x, y));
    }
  }
  return static_cast<int>(seen.size());
}

// Each letter in every kind of widget, drawn by the toolkit alone and then through the fallback
// driver: what the widget's font lacks (a box with the letter's number before) is drawn anew,
// what it has stays pixel for pixel.
TEST(FontFallback, LettersTheWidgetFontLacksAreDrawnAndTheRestStayAsTheyWere) {
  Widgets w;
  const std::u32string lacking = U"中文日本語かな한국어🎉";
  const std::u32string kept = U"Vellumax Привет مرحبا Grüße,.";
  const auto drawEach = [&] {
    std::vector<Bitmap> shots;
    for (const char32_t code : lacking + kept) {
      w.SetText(Utf8FromCodePoints(std::u32string(1, code)));
      for (Fl_Widget* kind : w.Kinds()) shots.push_back(DrawWidget(w.window, *kind));
    }
    return shots;
  };
  const std::vector<Bitmap> before = drawEach();
  ui::UseFontFallback();
  const std::vector<Bitmap> after = drawEach();
  const size_t kinds = w.Kinds().size();
  for (size_t i = 0; i < after.size(); ++i) {
    const size_t letter = i / kinds;
    EXPECT_EQ(before[i] == after[i], letter >= lacking.size())
        << "U+" << std::hex << unsigned((lacking + kept)[letter]) << " in widget " << i % kinds;
  }
  w.SetText(kEveryScript);
  test::SaveWindowPng(w.window, "font_fallback_every_script.png");
}

TEST(FontFallback, TextDrawnInPiecesAtMeasuredWidthsIsTheWholeText) {
  ui::UseFontFallback();
  Widgets w;
  const std::vector<std::string> pieces = {"Ab ", "中文", " Да ", "😀", " 한"};
  std::string whole;
  for (const std::string& piece : pieces) whole += piece;
  w.SetText(whole);
  const Bitmap together = DrawWidget(w.window, w.strip);
  w.strip.pieces = pieces;
  const Bitmap apart = DrawWidget(w.window, w.strip);
  EXPECT_TRUE(together == apart);
  // Something beyond plain black and white was drawn: the glyphs, not nothing.
  EXPECT_GT(Distinct(together), 2);
}

// With only the widget's own font on the machine, nothing breaks: what it lacks is its box, and
// Latin text is drawn as with every font there.
TEST(FontFallback, WithoutOtherFontsNothingBreaksAndLatinIsUnchanged) {
  test::TempFolder folder;
  // The child runs this test anew, in a folder of its own: it finds these through the
  // environment it inherits, set once.
  setenv("VX_ONLY_DEJAVU",
         folder
             .Write("dejavu.conf",
                    "<?xml version=\"1.0\"?><fontconfig>"
                    "<dir>/usr/share/fonts/truetype/dejavu</dir>"
                    "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include></fontconfig>")
             .c_str(),
         0);
  setenv("VX_LATIN_SHOT", (folder / "latin.rgb").c_str(), 0);
  const auto latinStrip = [] {
    ui::UseFontFallback();
    Widgets w;
    w.SetText("Hello, Grüße Привет");
    const Bitmap latin = DrawWidget(w.window, w.strip);
    w.SetText(kEveryScript);
    for (Fl_Widget* kind : w.Kinds()) DrawWidget(w.window, *kind);
    return latin;
  };
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("FONTCONFIG_FILE", std::getenv("VX_ONLY_DEJAVU"), 1);
        const Bitmap latin = latinStrip();
        test::WriteRawPixels(latin, std::getenv("VX_LATIN_SHOT"));
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
  const Bitmap latin = latinStrip();
  EXPECT_TRUE(test::ReadRawPixels(std::getenv("VX_LATIN_SHOT")) == test::RawPixels(latin));
}

}  // namespace
}  // namespace vx
