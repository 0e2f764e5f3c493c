#include "pointers/hint_shape.h"

#include <algorithm>

#include "pointers/pointer_drawing.h"

namespace vx {

HintLayout LayoutHint(const PointerProperties& pointer, const TextMeasure& measure) {
  HintLayout layout;
  Size& size = layout.size;
  switch (pointer.kind) {
    case 1: {
      int widest = 0;
      size.height = 20;
      for (const std::string& line : SplitLabelLines(pointer.label)) {
        const Size lineSize = measure(line);
        widest = std::max(widest, lineSize.width);
        size.height += lineSize.height + 2;
      }
      size.width = widest + 10;
      layout.anchorOffset = {pointer.leftToRight ? size.width - 10 : 10,
                             pointer.bottomToTop ? 0 : size.height};
      break;
    }
    case 2: {
      // Drawn on one line, as the arrow shows it.
      const Size label = measure(OneLine(pointer.label));
      const int th = label.height;
      size = {label.width + 10 + 2 * th, 4 * th};
      layout.anchorOffset = {pointer.leftToRight ? size.width : 0, size.height / 2};
      break;
    }
    case 3:
      size = {std::max(0, pointer.areaWidth), std::max(0, pointer.areaHeight)};
      break;
    default:
      break;
  }
  return layout;
}

void DrawHintShape(Canvas& canvas, const PointerProperties& pointer, const HintLayout& layout,
                   Point origin) {
  const PointerColors colors{pointer.text, pointer.pen, pointer.brush};
  const Size size = layout.size;
  switch (pointer.kind) {
    case 1:
      DrawCloudShape(canvas, SplitLabelLines(pointer.label),
                     {origin.x, origin.y, origin.x + size.width, origin.y + size.height},
                     pointer.leftToRight, pointer.bottomToTop, colors);
      break;
    case 2:
      DrawArrowShape(canvas, pointer.label, origin.x + layout.anchorOffset.x,
                     origin.y + layout.anchorOffset.y, pointer.leftToRight, colors);
      break;
    case 3:
      DrawAreaShape(canvas, pointer.label, origin.x, origin.y, size.width, size.height, colors);
      break;
    default:
      break;
  }
}

}  // namespace vx
