// Text in every script: what the font fallback costs. Interface text is measured and drawn
// with the toolkit's own driver and through the fallback driver: ASCII and Latin text should
// cost the same, text that needs other fonts a little more, and the first use of a fallback
// font a few milliseconds once. Labels drawn into pictures: each kind of text and the first
// fallback font.
#include <FL/Fl.H>
#include <FL/Fl_Device.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "picture/canvas.h"
#include "ui/font_fallback_driver.h"

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::time_point since) {
  return std::chrono::duration<double, std::micro>(Clock::now() - since).count();
}

// Microseconds per call, the server's work included.
double PerCall(int calls, const std::function<void()>& call) {
  const auto start = Clock::now();
  for (int i = 0; i < calls; ++i) call();
  XSync(fl_display, False);
  return Microseconds(start) / calls;
}

constexpr const char* kAscii = "Picture 12 of the street, second line";
constexpr const char* kLatin = "Grüße aus München, Привет";
constexpr const char* kOthers = "写真 写真の説明 사진 설명 🎉";

// The toolkit's own driver and the fallback driver take turns, round by round, so that the
// load of a shared machine falls on both alike; the best round of each counts.
void Interface(Fl_Window& window, Fl_Graphics_Driver* toolkit, Fl_Graphics_Driver* fallback) {
  Fl_Display_Device* display = Fl_Display_Device::display_device();
  for (const char* text : {kAscii, kLatin, kOthers}) {
    double width[2] = {1e300, 1e300}, draw[2] = {1e300, 1e300};
    for (int round = 0; round < 10; ++round) {
      for (int which = 0; which < 2; ++which) {
        display->driver(which == 0 ? toolkit : fallback);
        display->set_current();
        window.make_current();
        fl_font(FL_HELVETICA, 14);
        width[which] = std::min(width[which], PerCall(5000, [&] { fl_width(text); }));
        draw[which] = std::min(draw[which], PerCall(1000, [&] { fl_draw(text, 10, 40); }));
      }
    }
    std::printf(
        "interface %-40s width %5.2f / %5.2f us, draw %5.2f / %5.2f us (toolkit / fallback)\n",
        text, width[0], width[1], draw[0], draw[1]);
  }
}

}  // namespace

int main() {
  Fl_Window window(400, 100);
  window.show();
  while (!window.visible()) Fl::wait(0.02);
  Fl_Xlib_Graphics_Driver toolkit;  // one of the toolkit's own, beside ours
  vx::ui::UseFontFallback();
  Fl_Graphics_Driver* fallback = Fl_Display_Device::display_device()->driver();
  window.make_current();
  fl_font(FL_HELVETICA, 14);
  auto start = Clock::now();
  fl_width("\xE4\xBD\xA0");  // a first character from another font
  std::printf("interface first fallback font: %.1f ms\n", Microseconds(start) / 1000);
  Interface(window, &toolkit, fallback);

  vx::Bitmap picture(400, 40);
  vx::Canvas canvas(picture);
  start = Clock::now();
  canvas.MeasureText("\xE4\xBD\xA0");
  std::printf("labels first fallback font: %.1f ms\n", Microseconds(start) / 1000);
  for (const char* text : {kAscii, kLatin, kOthers}) {
    double measure = 1e300, draw = 1e300;
    for (int round = 0; round < 5; ++round) {
      measure = std::min(measure, PerCall(5000, [&] { canvas.MeasureText(text); }));
      draw = std::min(draw, PerCall(2000, [&] { canvas.Text(2, 2, text, 0, 0xFFFFFF); }));
    }
    std::printf("labels %-40s measure %6.2f us, draw %6.2f us\n", text, measure, draw);
  }
  return 0;
}
