#include "buttons.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/ui_scale.h"

namespace vx::viewer {
namespace {

constexpr int kCaptionSize = 11;  // 8 points at 96 dpi; scaled with the window

// The shared button picture: a soft vertical gradient, made by code.
void DrawButtonFace(int x, int y, int w, int h, bool down, bool enabled) {
  for (int row = 0; row < h; ++row) {
    const int level = down ? 170 + row * 40 / h : 245 - row * 55 / h;
    const int tone = enabled ? level : (level + 230) / 2;
    const int blue = std::min(255, tone + (down ? 0 : 8));  // a hint of blue on raised faces
    fl_color(
        fl_rgb_color(static_cast<uchar>(tone), static_cast<uchar>(tone), static_cast<uchar>(blue)));
    fl_xyline(x, y + row, x + w - 1);
  }
  fl_color(down ? FL_DARK3 : FL_DARK2);
  fl_rect(x, y, w, h);
}

}  // namespace

VxButton::VxButton(int x, int y, int w, int h, const char* caption)
    : Fl_Button(x, y, w, h, caption) {
  labelsize(kCaptionSize);
  labelfont(FL_HELVETICA);
  clear_visible_focus();
}

void VxButton::draw() {
  const bool enabled = active_r();
  DrawButtonFace(x(), y(), w(), h(), value() != 0, enabled);
  fl_font(labelfont(), labelsize());
  fl_color(enabled ? FL_BLACK : FL_DARK3);
  const int shift = value() ? 1 : 0;
  fl_draw(label(), x() + shift, y() + shift, w(), h(), FL_ALIGN_CENTER);
}

VxArrowButton::VxArrowButton(int x, int y, Arrow arrow, const char* hint)
    : Fl_Button(x, y, 36, 36), arrow_(arrow) {
  tooltip(hint);
  clear_visible_focus();
}

void VxArrowButton::draw() {
  DrawButtonFace(x(), y(), w(), h(), value() != 0, active_r());
  const int cx = x() + w() / 2 + (value() ? 1 : 0), cy = y() + h() / 2 + (value() ? 1 : 0);
  fl_color(active_r() ? fl_rgb_color(30, 90, 60) : FL_DARK3);
  const int dir = arrow_ == Arrow::First || arrow_ == Arrow::Prior ? -1 : 1;
  const int tip = Scaled(7), back = Scaled(5), half = Scaled(9);
  fl_polygon(cx + tip * dir, cy, cx - back * dir, cy - half, cx - back * dir, cy + half);
  if (arrow_ == Arrow::First || arrow_ == Arrow::Last) {
    const int bar = Scaled(3);
    fl_rectf(dir > 0 ? cx + Scaled(8) : cx - Scaled(8) - bar, cy - half, bar, 2 * half + 1);
  }
}

KeyIcon::KeyIcon(int x, int y) : Clickable(x, y, 32, 32) { tooltip("Type the password"); }

void KeyIcon::draw() {
  // Drawn on a 32 x 32 grid at 96 dpi.
  const auto at = [](int base, int offset) { return base + Scaled(offset); };
  const auto span = [](int offset, int length) { return Scaled(offset + length) - Scaled(offset); };
  const Fl_Color gold = fl_rgb_color(200, 160, 40);
  fl_color(gold);
  fl_pie(at(x(), 2), at(y(), 8), span(2, 16), span(8, 16), 0, 360);
  fl_rectf(at(x(), 14), at(y(), 14), span(14, 16), span(14, 4));
  fl_rectf(at(x(), 24), at(y(), 18), span(24, 3), span(18, 6));
  fl_rectf(at(x(), 19), at(y(), 18), span(19, 3), span(18, 4));
  fl_color(parent() ? parent()->color() : FL_GRAY);
  fl_pie(at(x(), 7), at(y(), 13), span(7, 6), span(13, 6), 0, 360);
  fl_color(FL_DARK3);
  fl_arc(at(x(), 2), at(y(), 8), span(2, 16), span(8, 16), 0, 360);
}

}  // namespace vx::viewer
