// One annotation of a picture, as stored under a frame's PNTRS element: positions and sizes
// are fractions of the picture, so a record fits the picture at any size.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/conversions.h"
#include "document/kel_pigger.h"

namespace vx {

enum class PointerKind { Cloud = 1, Arrow = 2, Area = 3 };

struct PointerRecord {
  PointerKind kind = PointerKind::Cloud;
  std::string id;
  double anchorX = 0, anchorY = 0;
  double areaWidth = 0, areaHeight = 0;  // protected areas only
  std::string label;
  bool leftToRight = false;
  bool bottomToTop = false;
  Color brush = 0, pen = 0, text = 0;
};

// The kind an element stands for: CLD, ARR or PRAR; anything else is no pointer.
std::optional<PointerKind> PointerKindOf(std::string_view elementName);
const char* ElementNameOf(PointerKind kind);

// A fraction of a picture side in pixels of that side, rounded halves to even. Fractions far
// outside the picture are clamped, so later sums stay ints; NaN fails.
int FractionToPixels(double fraction, double side);

// Fails when XR or YR is not a real (the caller skips that record and goes on).
PointerRecord ReadPointerRecord(const TKelPigger& element);
// Appends the record as a new child of the PNTRS node.
TKelPigger* WritePointerRecord(TKelPigger& pointers, const PointerRecord& record);

}  // namespace vx
