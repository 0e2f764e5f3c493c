#include "track_bar.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "platform/ui_scale.h"

namespace vx::builder {

TrackBar::TrackBar(int x, int y, int w, int h, int minimum, int maximum, int tickStep)
    : Fl_Slider(FL_HOR_NICE_SLIDER, x, y, w, h, nullptr), tickStep_(tickStep) {
  bounds(minimum, maximum);
  step(1);
  box(FL_FLAT_BOX);
}

void TrackBar::draw() {
  const int tickHeight = Scaled(6), gap = Scaled(2);
  const int grooveHeight = h() - tickHeight - gap;
  if (damage() & FL_DAMAGE_ALL) draw_box(box(), x(), y(), w(), h(), color());
  Fl_Slider::draw(x(), y(), w(), grooveHeight);
  // Where the slider puts the middle of its knob for a value: its own arithmetic.
  const int inner = w() - Fl::box_dw(box());
  int knob = static_cast<int>(slider_size() * inner + .5);
  const int least = grooveHeight / 2 + 1 + 4;
  if (knob < least) knob = least;
  const double range = maximum() - minimum();
  fl_color(FL_DARK3);
  for (int tick = static_cast<int>(minimum()); tick <= maximum(); tick += tickStep_) {
    const double at = range > 0 ? (tick - minimum()) / range : 0.5;
    const int tx = x() + Fl::box_dx(box()) + static_cast<int>(at * (inner - knob) + .5) + knob / 2;
    fl_yxline(tx, y() + grooveHeight + gap, y() + h() - 1);
  }
}

}  // namespace vx::builder
