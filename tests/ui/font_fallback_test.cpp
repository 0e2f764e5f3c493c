// Interface text in every script: real widgets under Xvfb with the Noto CJK and colour emoji
// fonts installed, drawn through the fallback driver.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "support/png_output.h"
#include "support/temp_folder.h"
#include "support/ui_events.h"  // fl_draw.H, after gtest: X11's macros would break it
#include "text/utf8.h"
#include "ui/font_fallback_driver.h"

// Before the toolkit's headers, whose X11 macros clash with its names.
#include <gtest/gtest.h>

namespace vx {
namespace {

constexpr const char* kBox = "\U0010FFFD";  // no font has it: always the box
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
    label.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    window.show();
    while (!window.visible()) Fl::wait(0.02);
  }

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

Bitmap Area(const Bitmap& shot, const Fl_Widget& widget) {
  Bitmap area(widget.w(), widget.h());
  for (int y = 0; y < widget.h(); ++y) {
    for (int x = 0; x < widget.w(); ++x)
      area.SetPixel(x, y, shot.Pixel(widget.x() + x, widget.y() + y));
  }
  return area;
}

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

TEST(FontFallback, EveryScriptDrawsWithoutBoxesInLabelsInputsBrowsersAndOwnText) {
  ui::UseFontFallback();
  Widgets w;
  const Fl_Widget* kinds[] = {&w.label, &w.input, &w.browser, &w.strip};
  w.SetText(kBox);
  std::vector<Bitmap> boxes;
  const Bitmap boxShot = CaptureWindow(w.window);
  for (const Fl_Widget* kind : kinds) boxes.push_back(Area(boxShot, *kind));
  for (const char32_t code : CodePointsFromUtf8(kEveryScript)) {
    if (code == U' ') continue;
    w.SetText(Utf8FromCodePoints(std::u32string(1, code)));
    const Bitmap shot = CaptureWindow(w.window);
    for (size_t i = 0; i < std::size(kinds); ++i) {
      const Bitmap area = Area(shot, *kinds[i]);
      EXPECT_FALSE(area == boxes[i]) << "U+" << std::hex << unsigned(code) << " in widget " << i;
    }
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
  const Bitmap together = Area(CaptureWindow(w.window), w.strip);
  w.strip.pieces = pieces;
  const Bitmap apart = Area(CaptureWindow(w.window), w.strip);
  EXPECT_TRUE(together == apart);
  // Something beyond plain black and white was drawn: the glyphs, not nothing.
  EXPECT_GT(Distinct(together), 2);
}

// Latin text is drawn by the toolkit as before, pixel for pixel.
TEST(FontFallback, LatinTextIsUnchanged) {
  Widgets w;
  w.SetText("Hello, Grüße Привет");
  const Bitmap before = CaptureWindow(w.window);
  ui::UseFontFallback();
  w.window.redraw();
  EXPECT_TRUE(CaptureWindow(w.window) == before);
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
    const Bitmap latin = Area(CaptureWindow(w.window), w.strip);
    w.SetText(kEveryScript);
    CaptureWindow(w.window);
    return latin;
  };
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("FONTCONFIG_FILE", std::getenv("VX_ONLY_DEJAVU"), 1);
        const Bitmap latin = latinStrip();
        std::ofstream(std::getenv("VX_LATIN_SHOT"), std::ios::binary)
            .write(reinterpret_cast<const char*>(latin.Row(0)), latin.Stride() * latin.Height());
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
  const Bitmap latin = latinStrip();
  std::ifstream in(std::getenv("VX_LATIN_SHOT"), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_TRUE(bytes == std::string(reinterpret_cast<const char*>(latin.Row(0)),
                                   latin.Stride() * latin.Height()));
}

}  // namespace
}  // namespace vx
