#include "real_size_view.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "picture/resample.h"
#include "platform/ui_scale.h"
#include "ui/draw_bitmap.h"
#include "ui/window_placement.h"

namespace vx::viewer {

// The picture keeps its own pixels; only the margin around it follows the desktop's scale.
constexpr int kMargin = 5;

Point RealSizePlace(Size picture, Size view) {
  return {picture.width < view.width ? (view.width - picture.width) / 2 : Scaled(kMargin),
          picture.height < view.height ? (view.height - picture.height) / 2 : Scaled(kMargin)};
}

Size FitToScreen(Size picture, Size screen) {
  return FitInside(picture,
                   {screen.width - 2 * Scaled(kMargin), screen.height - 2 * Scaled(kMargin)});
}

TO_real_size_view::TO_real_size_view(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
  box(FL_FLAT_BOX);
  color(FL_BACKGROUND2_COLOR);
  end();
}

bool TO_real_size_view::ShowPicture(const Bitmap* picture, bool fit) {
  scroll_ = {0, 0};
  if (!picture) return false;
  fitMode_ = false;
  fl_cursor(FL_CURSOR_WAIT);
  source_ = *picture;
  hasSource_ = true;
  shown_ = source_;
  const Size screen = ui::ScreenSize(window());
  if (fit && (source_.Width() > screen.width || source_.Height() > screen.height)) {
    SetFitMode(true);
  } else {
    PlacePicture();
  }
  fl_cursor(FL_CURSOR_DEFAULT);
  redraw();
  return true;
}

void TO_real_size_view::SetFitMode(bool fit) {
  fitMode_ = fit;
  if (!hasSource_) return;
  scroll_ = {0, 0};
  if (fit) {
    const Size fitted = FitToScreen({source_.Width(), source_.Height()}, ui::ScreenSize(window()));
    shown_ = Bitmap(fitted.width, fitted.height);
    ResizeBilinear(source_, shown_);
  } else {
    shown_ = source_;
  }
  PlacePicture();
  redraw();
}

void TO_real_size_view::PlacePicture() {
  if (!hasSource_) return;
  // A fitted picture stays centred when the view changes size.
  offset_ = fitMode_ ? Point{(w() - shown_.Width()) / 2, (h() - shown_.Height()) / 2}
                     : RealSizePlace({shown_.Width(), shown_.Height()}, {w(), h()});
}

Rect TO_real_size_view::PictureRect() const {
  const int left = offset_.x - scroll_.x, top = offset_.y - scroll_.y;
  return {left, top, left + shown_.Width(), top + shown_.Height()};
}

Point TO_real_size_view::ScrollPosition() const { return scroll_; }

void TO_real_size_view::resize(int nx, int ny, int nw, int nh) {
  Fl_Group::resize(nx, ny, nw, nh);
  PlacePicture();
}

void TO_real_size_view::draw() {
  draw_box();
  fl_push_clip(x(), y(), w(), h());
  const Rect r = PictureRect();
  ui::DrawBitmap(shown_, x() + r.left, y() + r.top);
  fl_pop_clip();
}

int TO_real_size_view::handle(int event) {
  switch (event) {
    case FL_PUSH:
      if (Fl::event_button() == FL_RIGHT_MOUSE) {
        if (OnRightClick) OnRightClick();
        return 1;
      }
      if (Fl::event_clicks() > 0) {  // a double click switches between fitted and real size
        Fl::event_clicks(0);
        SetFitMode(!fitMode_);
        return 1;
      }
      dragging_ = true;
      drag_ = {Fl::event_x(), Fl::event_y()};
      fl_cursor(FL_CURSOR_HAND);
      return 1;
    case FL_DRAG:
      if (dragging_) {
        // The picture follows the mouse, within the picture's extent.
        const int maxX = std::max(0, offset_.x + shown_.Width() + Scaled(kMargin) - w());
        const int maxY = std::max(0, offset_.y + shown_.Height() + Scaled(kMargin) - h());
        scroll_.x = std::clamp(scroll_.x + drag_.x - Fl::event_x(), 0, maxX);
        scroll_.y = std::clamp(scroll_.y + drag_.y - Fl::event_y(), 0, maxY);
        drag_ = {Fl::event_x(), Fl::event_y()};
        redraw();
      }
      return 1;
    case FL_RELEASE:
      dragging_ = false;
      fl_cursor(FL_CURSOR_DEFAULT);
      return 1;
    default:
      return Fl_Group::handle(event);
  }
}

}  // namespace vx::viewer
