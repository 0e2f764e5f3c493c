// The grab rectangle of the picture management dialog: its corner zones, resizing and
// dragging with the mouse, and the part of the picture it covers at a view scale. Points are
// in the rectangle's own coordinates, as the mouse reports them over it.
#pragma once

#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace vx {

enum class GrabZone { Inside, TopLeft, TopRight, BottomRight, BottomLeft };

// The corner zone under the point of a rectangle of that size, checked in the order above.
GrabZone GrabZoneAt(Point at, Size size);

class GrabRectangle {
 public:
  static constexpr int kMinimumSide = 8;
  // Dragged out at the left or top, this much of the rectangle stays in.
  static constexpr int kKeptIn = 5;

  explicit GrabRectangle(const Rect& rect) : rect_(rect) {}
  const Rect& Bounds() const { return rect_; }

  // A left-button press: resizing at a corner zone, dragging elsewhere.
  void Press(Point at);
  // A mouse move while the button is down; nothing without a press.
  void Move(Point at);
  void Release() { mode_ = Mode::Idle; }
  bool Pressed() const { return mode_ != Mode::Idle; }

  // The pop-up menu's three items.
  void SetWidthEqualToHeight() { rect_.right = rect_.left + rect_.Height(); }
  void SetHeightEqualToWidth() { rect_.bottom = rect_.top + rect_.Width(); }
  void SetSize(Size size);

 private:
  enum class Mode { Idle, Drag, TopLeft, TopRight, BottomRight, BottomLeft };
  Rect rect_;
  Mode mode_ = Mode::Idle;
  Point pressedAt_;
  int rightAtPress_ = 0, bottomAtPress_ = 0;
};

// The part of the picture under the rectangle, in picture pixels, when the picture is shown
// at pictureLeftTop and scale per cent: offsets and sizes divided by the scale, rounded.
Rect GrabbedPart(const Rect& grab, Point pictureLeftTop, int scale);

// That part copied 1:1 (what lies outside the picture stays black) and resized to an icon.
Bitmap GrabIcon(const Bitmap& picture, const Rect& part, Size icon);

// The shown size of a picture at scale per cent, rounded.
Size ScaledSize(Size real, int scale);

}  // namespace vx
