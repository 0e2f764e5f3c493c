#include "picture/grab_rectangle.h"

#include <gtest/gtest.h>

#include "picture/resample.h"

namespace vx {
namespace {

TEST(GrabRectangle, CornerZonesInTheirOrder) {
  struct Case {
    const char* what;
    Point at;
    Size size;
    GrabZone zone;
  };
  const Case cases[] = {
      {"top-left corner", {0, 0}, {40, 30}, GrabZone::TopLeft},
      {"top-left, last pixel", {4, 4}, {40, 30}, GrabZone::TopLeft},
      {"just past top-left", {5, 4}, {40, 30}, GrabZone::Inside},
      {"top-right, first column", {36, 0}, {40, 30}, GrabZone::TopRight},
      {"top-right, on the right edge", {40, 4}, {40, 30}, GrabZone::TopRight},
      {"right of the rectangle", {41, 0}, {40, 30}, GrabZone::Inside},
      {"bottom-right", {40, 30}, {40, 30}, GrabZone::BottomRight},
      {"bottom-right, first row", {36, 26}, {40, 30}, GrabZone::BottomRight},
      {"bottom-left", {0, 26}, {40, 30}, GrabZone::BottomLeft},
      {"middle", {20, 15}, {40, 30}, GrabZone::Inside},
      {"small: top-left wins", {3, 3}, {8, 8}, GrabZone::TopLeft},
      {"small: top-right before bottom-right", {6, 4}, {8, 8}, GrabZone::TopRight},
      {"wide: top-right past 255", {398, 2}, {400, 300}, GrabZone::TopRight},
      {"wide: bottom-right past 255", {398, 298}, {400, 300}, GrabZone::BottomRight},
  };
  for (const Case& c : cases) EXPECT_EQ(GrabZoneAt(c.at, c.size), c.zone) << c.what;
}

// Presses at a point of the rectangle (its own coordinates), moves to another, releases.
Rect Gesture(Rect start, Point press, Point move) {
  GrabRectangle grab(start);
  grab.Press(press);
  grab.Move(move);
  grab.Release();
  grab.Move({press.x + 50, press.y + 50});  // ignored once released
  return grab.Bounds();
}

TEST(GrabRectangle, ResizingAndDragging) {
  const Rect r{100, 100, 150, 140};  // 50 x 40
  struct Case {
    const char* what;
    Point press, move;
    Rect expected;
  };
  const Case cases[] = {
      {"bottom-right to (3, 3) gives the minimum", {49, 39}, {3, 3}, {100, 100, 108, 108}},
      {"bottom-right grows", {50, 40}, {70, 60}, {100, 100, 170, 160}},
      {"top-left moves its corner", {2, 2}, {-8, 12}, {90, 110, 150, 140}},
      {"top-left stops short of the other corner", {2, 2}, {80, 80}, {142, 132, 150, 140}},
      {"top-right", {48, 1}, {60, -9}, {100, 90, 160, 140}},
      {"bottom-left", {1, 38}, {11, 20}, {110, 100, 150, 120}},
      {"drag", {20, 20}, {25, 10}, {105, 90, 155, 130}},
      {"dragged out at the left keeps 6 pixels", {20, 20}, {-500, 20}, {-44, 100, 6, 140}},
      {"dragged out at the top keeps 6 pixels", {20, 20}, {20, -500}, {100, -34, 150, 6}},
      {"the right and bottom are free", {20, 20}, {5020, 5020}, {5100, 5100, 5150, 5140}},
  };
  for (const Case& c : cases) EXPECT_EQ(Gesture(r, c.press, c.move), c.expected) << c.what;
}

TEST(GrabRectangle, MenuSizes) {
  GrabRectangle grab({10, 20, 60, 40});  // 50 x 20
  grab.SetWidthEqualToHeight();
  EXPECT_EQ(grab.Bounds(), (Rect{10, 20, 30, 40}));
  grab.SetSize({50, 25});
  grab.SetHeightEqualToWidth();
  EXPECT_EQ(grab.Bounds(), (Rect{10, 20, 60, 70}));
  grab.SetSize({32, 32});
  EXPECT_EQ(grab.Bounds(), (Rect{10, 20, 42, 52}));
}

TEST(GrabRectangle, PartOfThePictureAtAViewScale) {
  struct Case {
    const char* what;
    Rect grab;
    Point picture;
    int scale;
    Rect part;
  };
  const Case cases[] = {
      {"50 %, before the picture", {10, 10, 42, 42}, {14, 14}, 50, {-8, -8, 56, 56}},
      {"100 %, 1:1", {20, 30, 52, 62}, {0, 0}, 100, {20, 30, 52, 62}},
      {"160 %, halves to even", {4, 4, 12, 12}, {0, 0}, 160, {2, 2, 7, 7}},
      {"10 %", {1, 2, 9, 10}, {0, 0}, 10, {10, 20, 90, 100}},
  };
  for (const Case& c : cases) EXPECT_EQ(GrabbedPart(c.grab, c.picture, c.scale), c.part) << c.what;
}

TEST(GrabRectangle, TheIconIsThePartResized) {
  Bitmap picture(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) picture.SetPixel(x, y, static_cast<Color>(x * 4 | y << 10));
  // At 100 % a 32 x 32 part is the area itself, resampled once at its own size.
  Bitmap area(32, 32), expected(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) area.SetPixel(x, y, picture.Pixel(x + 8, y + 8));
  ResizeBilinear(area, expected);
  EXPECT_EQ(GrabIcon(picture, {8, 8, 40, 40}, {32, 32}), expected);
  // What lies outside the picture is black.
  const Bitmap icon = GrabIcon(picture, {-8, -8, 56, 56}, {32, 32});
  EXPECT_EQ(icon.Pixel(0, 0), 0u);
  EXPECT_EQ(icon.Pixel(31, 31), 0u);
  EXPECT_NE(icon.Pixel(16, 16), 0u);
}

TEST(GrabRectangle, ShownSizes) {
  EXPECT_EQ(ScaledSize({640, 480}, 100), (Size{640, 480}));
  EXPECT_EQ(ScaledSize({640, 480}, 10), (Size{64, 48}));
  EXPECT_EQ(ScaledSize({5, 3}, 50), (Size{2, 2}));  // 2.5 and 1.5, halves to even
  EXPECT_EQ(ScaledSize({100, 100}, 160), (Size{160, 160}));
}

}  // namespace
}  // namespace vx
