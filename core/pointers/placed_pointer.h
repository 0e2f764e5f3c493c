// Pointers as the builder edits them: the record's properties with the anchor and the area in
// pixels of the picture they lie on, and their conversion to and from a PNTRS text.
#pragma once

#include <string>
#include <vector>

#include "document/conversions.h"
#include "picture/geometry.h"

namespace vx {

// What the author edits of one pointer. Labels are UTF-8, as in the records.
struct PointerProperties {
  int kind = 1;  // 1 cloud, 2 arrow, 3 protected area; any other kind shows nothing
  std::string objId;
  std::string label;
  bool leftToRight = false;
  bool bottomToTop = false;
  Color brush = 0, pen = 0, text = 0;
  int areaWidth = 0, areaHeight = 0;  // pixels; protected areas only
  bool operator==(const PointerProperties&) const = default;
};

// A pointer as the author adds it on a click: a new one, its area 298 x 55 pixels.
PointerProperties NewPointer(int kind, const std::string& label, Color text, Color pen,
                             Color brush);

struct PlacedPointer {
  PointerProperties properties;
  Point anchor;  // picture pixels
  bool operator==(const PlacedPointer&) const = default;
};

// Every CLD, ARR and PRAR child of the text's root, in order, on a picture of that size:
// other children and records that cannot be read are skipped, and a text that does not parse
// gives no pointers.
std::vector<PlacedPointer> ReadPlacedPointers(const std::string& text, Size picture);
// The PNTRS text of the pointers; the area size is written for protected areas only.
std::string WritePlacedPointers(const std::vector<PlacedPointer>& pointers, Size picture);

}  // namespace vx
