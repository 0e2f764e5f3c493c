// Panning a 12 MP picture at 1:1 in the builder's current picture frame, with a cloud, an
// arrow and a protected area larger than the view over it: time per redrawn step, against
// what one copy of the whole picture costs (what a frame that copied it per redraw would pay).
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/x.H>

#include "bench_support.h"
#include "img_frame.h"
#include "sample_pictures.h"

namespace {

using vx::bench::Clock;

}  // namespace

int main() {
  Fl::visual(FL_DOUBLE | FL_RGB);
  Fl_Double_Window window(1280, 900, "bench");
  auto* frame = new vx::builder::TO_img_frame(0, 0, window.w(), window.h());
  window.end();
  window.show();
  const vx::Bitmap picture = vx::MakeSamplePicture(4000, 3000, 3);
  frame->ShowBitmap(picture);
  for (int kind = 1; kind <= 3; ++kind) {
    vx::PointerProperties pointer =
        vx::NewPointer(kind, "A label of some length", 0x0000FF, 0x808080, 0x80FFFF);
    pointer.areaWidth = 3000;
    pointer.areaHeight = 2000;
    frame->AddPointer({400 * kind, 300 * kind}, pointer, false);
  }
  // Mapped and drawn once before the clock starts.
  for (int i = 0; i < 50; ++i) Fl::wait(0.01);

  constexpr int kSteps = 300;
  const auto start = Clock::now();
  for (int step = 1; step <= kSteps; ++step) {
    frame->Area().ScrollTo(step * 9, step * 6);
    Fl::flush();
  }
  XSync(fl_display, False);
  const double perStep = vx::bench::Seconds(start) / kSteps;

  const auto copyStart = Clock::now();
  constexpr int kCopies = 10;
  for (int copy = 0; copy < kCopies; ++copy) {
    vx::Bitmap whole = picture;
    if (whole.Empty()) return 1;
  }
  const double perCopy = vx::bench::Seconds(copyStart) / kCopies;
  std::printf(
      "12 MP frame 1280 x 900: pan step %6.2f ms (%5.0f per second)   "
      "one copy of the picture %6.2f ms   step/copy %.2f\n",
      perStep * 1000, 1 / perStep, perCopy * 1000, perStep / perCopy);
  return 0;
}
