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

}  // namespace vx
