#include "pointers/hint_shape.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

// Every label measures 100 x 13, as the geometry cases assume.
Size Fixed(std::string_view) { return {100, 13}; }

PointerProperties Pointer(int kind, bool leftToRight = false, bool bottomToTop = false) {
  PointerProperties p;
  p.kind = kind;
  p.label = "label";
  p.leftToRight = leftToRight;
  p.bottomToTop = bottomToTop;
  p.areaWidth = 298;
  p.areaHeight = 55;
  return p;
}

TEST(HintLayout, SizesAndPlacesAroundTheAnchor) {
  struct Case {
    const char* what;
    PointerProperties pointer;
    Point anchor;
    Rect placed;  // left, top, right, bottom of the control
  } cases[] = {
      {"cloud", Pointer(1), {50, 100}, {40, 65, 150, 100}},
      {"cloud bottom-to-top", Pointer(1, false, true), {50, 100}, {40, 100, 150, 135}},
      {"cloud left-to-right", Pointer(1, true), {50, 100}, {-50, 65, 60, 100}},
      {"arrow", Pointer(2), {50, 100}, {50, 74, 186, 126}},
      {"arrow left-to-right", Pointer(2, true), {50, 100}, {-86, 74, 50, 126}},
      {"area", Pointer(3), {30, 40}, {30, 40, 328, 95}},
      {"unknown kind", Pointer(7), {30, 40}, {30, 40, 30, 40}},
  };
  for (const Case& c : cases) {
    const HintLayout layout = LayoutHint(c.pointer, Fixed);
    const int left = c.anchor.x - layout.anchorOffset.x, top = c.anchor.y - layout.anchorOffset.y;
    EXPECT_EQ((Rect{left, top, left + layout.size.width, top + layout.size.height}), c.placed)
        << c.what;
  }
  PointerProperties twoLines = Pointer(1);
  twoLines.label = "one\ntwo";
  EXPECT_EQ(LayoutHint(twoLines, Fixed).size, (Size{110, 50})) << "line by line, 2 more each";
  PointerProperties empty = Pointer(1);
  empty.label.clear();
  EXPECT_EQ(LayoutHint(empty,
                       [](std::string_view t) {
                         return Size{int(t.size()) * 7, 13};
                       })
                .size,
            (Size{10, 35}))
      << "an empty label still leaves a cloud to click";
}

TEST(HintLayout, ShapeMeetsItsAnchor) {
  // The pixel next to the anchor inside the box is drawn in the pen colour.
  struct Case {
    const char* what;
    PointerProperties pointer;
    Point probe;
  } cases[] = {
      {"cloud tail", Pointer(1), {10, 34}},
      {"arrow head", Pointer(2), {0, 26}},
      {"area corner", Pointer(3), {0, 0}},
  };
  for (Case& c : cases) {
    c.pointer.pen = 0x0000FF;
    c.pointer.brush = 0xFFFFFF;
    const HintLayout layout = LayoutHint(c.pointer, Fixed);
    Bitmap bitmap(layout.size.width + 40, layout.size.height + 40);
    bitmap.Fill(0x00FF00);
    {
      Canvas canvas(bitmap);
      canvas.SetFixedTextMetrics({100, 13});
      DrawHintShape(canvas, c.pointer, layout, {20, 20});
    }
    EXPECT_EQ(bitmap.Pixel(20 + c.probe.x, 20 + c.probe.y), 0x0000FFu) << c.what;
    EXPECT_EQ(bitmap.Pixel(19, 19), 0x00FF00u) << c.what << ": nothing outside the box";
  }
}

}  // namespace
}  // namespace vx
