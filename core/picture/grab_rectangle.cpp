#include "picture/grab_rectangle.h"

#include <algorithm>

#include "picture/resample.h"

namespace vx {

GrabZone GrabZoneAt(Point at, Size size) {
  const int x = at.x, y = at.y, w = size.width, h = size.height;
  const bool left = x < 5, right = w - 4 <= x && x <= w;
  const bool top = y < 5, bottom = h - 4 <= y && y <= h;
  if (left && top) return GrabZone::TopLeft;
  if (right && top) return GrabZone::TopRight;
  if (right && bottom) return GrabZone::BottomRight;
  if (left && bottom) return GrabZone::BottomLeft;
  return GrabZone::Inside;
}

void GrabRectangle::Press(Point at) {
  rightAtPress_ = rect_.right;
  bottomAtPress_ = rect_.bottom;
  pressedAt_ = at;
  switch (GrabZoneAt(at, {rect_.Width(), rect_.Height()})) {
    case GrabZone::TopLeft:
      mode_ = Mode::TopLeft;
      break;
    case GrabZone::TopRight:
      mode_ = Mode::TopRight;
      break;
    case GrabZone::BottomRight:
      mode_ = Mode::BottomRight;
      break;
    case GrabZone::BottomLeft:
      mode_ = Mode::BottomLeft;
      break;
    case GrabZone::Inside:
      mode_ = Mode::Drag;
      break;
  }
}

void GrabRectangle::Move(Point at) {
  const int dx = at.x - pressedAt_.x, dy = at.y - pressedAt_.y;
  // A moved left or top edge stops short of the edge that stays, so no side passes below
  // the minimum by moving the opposite edge.
  auto moveLeft = [&] { rect_.left = std::min(rect_.left + dx, rightAtPress_ - kMinimumSide); };
  auto moveTop = [&] { rect_.top = std::min(rect_.top + dy, bottomAtPress_ - kMinimumSide); };
  auto setWidth = [&](int w) { rect_.right = rect_.left + std::max(w, kMinimumSide); };
  auto setHeight = [&](int h) { rect_.bottom = rect_.top + std::max(h, kMinimumSide); };
  switch (mode_) {
    case Mode::Idle:
      return;
    case Mode::TopLeft:
      moveLeft();
      moveTop();
      setWidth(rightAtPress_ - rect_.left);
      setHeight(bottomAtPress_ - rect_.top);
      break;
    case Mode::TopRight:
      moveTop();
      setWidth(at.x);
      setHeight(bottomAtPress_ - rect_.top);
      break;
    case Mode::BottomRight:
      setWidth(at.x);
      setHeight(at.y);
      break;
    case Mode::BottomLeft:
      moveLeft();
      setWidth(rightAtPress_ - rect_.left);
      setHeight(at.y);
      break;
    case Mode::Drag: {
      const int w = rect_.Width(), h = rect_.Height();
      rect_.left += dx;
      rect_.top += dy;
      // It cannot leave at the left or the top.
      if (rect_.left + w < kKeptIn) rect_.left = kKeptIn + 1 - w;
      if (rect_.top + h < kKeptIn) rect_.top = kKeptIn + 1 - h;
      rect_.right = rect_.left + w;
      rect_.bottom = rect_.top + h;
      break;
    }
  }
}

void GrabRectangle::SetSize(Size size) {
  rect_.right = rect_.left + size.width;
  rect_.bottom = rect_.top + size.height;
}

Rect GrabbedPart(const Rect& grab, Point pictureLeftTop, int scale) {
  const double factor = 100.0 / scale;
  Rect part;
  part.left = RoundHalfEven((grab.left - pictureLeftTop.x) * factor);
  part.top = RoundHalfEven((grab.top - pictureLeftTop.y) * factor);
  part.right = part.left + RoundHalfEven(grab.Width() * factor);
  part.bottom = part.top + RoundHalfEven(grab.Height() * factor);
  return part;
}

Bitmap GrabIcon(const Bitmap& picture, const Rect& part, Size icon) {
  Bitmap grabbed(std::max(part.Width(), 1), std::max(part.Height(), 1));
  StretchCopy(picture, part, grabbed, {0, 0, part.Width(), part.Height()});
  Bitmap result(icon.width, icon.height);
  ResizeBilinear(grabbed, result);
  return result;
}

Size ScaledSize(Size real, int scale) {
  return {RoundHalfEven(real.width * scale / 100.0), RoundHalfEven(real.height * scale / 100.0)};
}

}  // namespace vx
