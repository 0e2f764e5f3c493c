// Points, sizes and rectangles in pixels, and the rounding that geometry uses.
#pragma once

#include <cmath>

namespace vx {

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

// Covers left .. right - 1 and top .. bottom - 1.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// Nearest integer, halves to the even neighbour (400.5 gives 400).
inline int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// The picture's aspect ratio in the box, filling it in one direction (sizes truncated); 1 x 1
// when there is nothing to fit.
inline Size FitInside(Size picture, Size box) {
  if (box.width <= 0 || box.height <= 0 || picture.width <= 0 || picture.height <= 0) return {1, 1};
  Size fitted = box;
  if (static_cast<double>(box.height) / box.width >
      static_cast<double>(picture.height) / picture.width) {
    fitted.height = static_cast<int>(
        std::trunc(box.width / (static_cast<double>(picture.width) / picture.height)));
  } else {
    fitted.width = static_cast<int>(
        std::trunc(box.height / (static_cast<double>(picture.height) / picture.width)));
  }
  return {fitted.width < 1 ? 1 : fitted.width, fitted.height < 1 ? 1 : fitted.height};
}

// The same choice of the side that fills the box, the other side rounded (halves to even)
// from the box's side times the picture's proportion; 1 x 1 when there is nothing to fit.
inline Size FitInsideRounded(Size picture, Size box) {
  if (box.width <= 0 || box.height <= 0 || picture.width <= 0 || picture.height <= 0) return {1, 1};
  Size fitted = box;
  if (static_cast<double>(box.height) / box.width >
      static_cast<double>(picture.height) / picture.width) {
    fitted.height = RoundHalfEven(static_cast<double>(box.width) * picture.height / picture.width);
  } else {
    fitted.width = RoundHalfEven(static_cast<double>(box.height) * picture.width / picture.height);
  }
  return {fitted.width < 1 ? 1 : fitted.width, fitted.height < 1 ? 1 : fitted.height};
}

}  // namespace vx
