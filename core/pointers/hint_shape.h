// The shape of one pointer as the builder shows it over the picture: the size of the smallest
// box around it and where in that box the anchor lies, and its drawing into that box.
#pragma once

#include <functional>
#include <string_view>

#include "picture/canvas.h"
#include "pointers/placed_pointer.h"

namespace vx {

struct HintLayout {
  Size size;
  Point anchorOffset;  // the anchor within the box
};

// The size of a text in the font the shape is drawn with.
using TextMeasure = std::function<Size(std::string_view text)>;

// A cloud is measured line by line, so a one-line cloud is 2 pixels taller than the one drawn
// into pictures; labels are measured without the blanks pictures add.
HintLayout LayoutHint(const PointerProperties& pointer, const TextMeasure& measure);

// Draws the shape with its box's top-left corner at origin, in the pointer's own colours
// (black stays black here: nothing is keyed on it).
void DrawHintShape(Canvas& canvas, const PointerProperties& pointer, const HintLayout& layout,
                   Point origin);

}  // namespace vx
