#include "picture_box.h"

#include <FL/Fl_Group.H>

#include <algorithm>

#include "ui/draw_bitmap.h"

namespace vx::builder {

PictureBox::PictureBox(int x, int y) : Fl_Widget(x, y, 1, 1) {}

void PictureBox::SetPicture(Bitmap picture) {
  picture_ = std::move(picture);
  ShowRealSize();
}

void PictureBox::ShowRealSize() {
  stretched_ = false;
  Resize(RealSize());
}

void PictureBox::ShowStretched(Size size) {
  stretched_ = true;
  Resize(size);
}

void PictureBox::Resize(Size shownSize) {
  shown_ = Bitmap();
  size(std::max(shownSize.width, 1), std::max(shownSize.height, 1));
  if (parent()) parent()->redraw();
}

void PictureBox::draw() {
  if (picture_.Empty()) return;
  if (!stretched_) {
    ui::DrawBitmap(picture_, x(), y());
    return;
  }
  if (shown_.Width() != w() || shown_.Height() != h()) {
    shown_ = Bitmap(w(), h());
    StretchCopy(picture_, {0, 0, picture_.Width(), picture_.Height()}, shown_, {0, 0, w(), h()});
  }
  ui::DrawBitmap(shown_, x(), y());
}

}  // namespace vx::builder
