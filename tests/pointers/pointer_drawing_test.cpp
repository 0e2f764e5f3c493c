#include "pointers/pointer_drawing.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "support/png_output.h"

namespace vx {
namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr PointerColors kColors{0xFF0000 /* text blue */, 0x0000FF /* pen red */,
                                0x00FF00 /* brush */};

// Inclusive bounds of every pixel that is not white.
std::optional<Rect> DrawnBounds(const Bitmap& b) {
  std::optional<Rect> bounds;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.Pixel(x, y) == kWhite) continue;
      if (!bounds) bounds = Rect{x, y, x, y};
      bounds->left = std::min(bounds->left, x);
      bounds->top = std::min(bounds->top, y);
      bounds->right = std::max(bounds->right, x);
      bounds->bottom = std::max(bounds->bottom, y);
    }
  }
  return bounds;
}

Bitmap White(int w, int h) {
  Bitmap b(w, h);
  b.Fill(kWhite);
  return b;
}

struct ShapeCase {
  const char* what;
  Size label;
  std::function<void(Canvas&)> draw;
  Rect bounds;  // inclusive
};

TEST(PointerShapes, CoverExactlyTheirPixels) {
  const ShapeCase cases[] = {
      {"cloud above, tail right of the left edge",
       {40, 13},
       [](Canvas& c) { DrawCloudAt(c, "x", 100, 100, false, false, kColors); },
       {90, 67, 139, 100}},
      {"cloud below",
       {40, 13},
       [](Canvas& c) { DrawCloudAt(c, "x", 100, 100, false, true, kColors); },
       {90, 100, 139, 132}},
      {"cloud left of the anchor",
       {40, 13},
       [](Canvas& c) { DrawCloudAt(c, "x", 100, 100, true, false, kColors); },
       {60, 67, 109, 100}},
      {"arrow pointing left",
       {30, 16},
       [](Canvas& c) { DrawArrowShape(c, "x", 200, 50, false, kColors); },
       {200, 18, 267, 82}},
      {"arrow pointing right",
       {30, 16},
       [](Canvas& c) { DrawArrowShape(c, "x", 200, 50, true, kColors); },
       {133, 18, 200, 82}},
      {"protected area with shadow",
       {40, 13},
       [](Canvas& c) { DrawAreaShape(c, "x", 10, 10, 200, 100, kColors); },
       {10, 10, 209, 109}},
  };
  for (const ShapeCase& c : cases) {
    Bitmap bitmap = White(320, 240);
    {
      Canvas canvas(bitmap);
      canvas.SetFixedTextMetrics(c.label);
      c.draw(canvas);
    }
    EXPECT_EQ(DrawnBounds(bitmap), c.bounds) << c.what;
  }
}

TEST(PointerShapes, CloudPartsSitWhereTheyBelong) {
  Bitmap bitmap = White(320, 240);
  {
    Canvas canvas(bitmap);
    canvas.SetFixedTextMetrics({40, 13});
    DrawCloudAt(canvas, "I", 100, 100, false, false, kColors);
  }
  EXPECT_EQ(bitmap.Pixel(100, 100), kColors.pen);   // the tail's tip on the anchor
  EXPECT_EQ(bitmap.Pixel(115, 67), kColors.pen);    // the body's top edge
  EXPECT_EQ(bitmap.Pixel(115, 89), kColors.pen);    // the body's bottom edge
  EXPECT_EQ(bitmap.Pixel(103, 89), kColors.brush);  // the tail covers the outline where it joins
  EXPECT_EQ(bitmap.Pixel(95, 72), kColors.brush);   // the text box starts at (95, 72)
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) {
      if (bitmap.Pixel(x, y) == kColors.text) {
        ASSERT_TRUE(x >= 95 && x < 135 && y >= 72 && y < 85) << x << "," << y;
      }
    }
  }
}

TEST(PointerShapes, AreaBoxShadowAndLabel) {
  Bitmap bitmap = White(320, 240);
  {
    Canvas canvas(bitmap);
    canvas.SetFixedTextMetrics({40, 13});
    DrawAreaShape(canvas, "x", 10, 10, 200, 100, kColors);
  }
  EXPECT_EQ(bitmap.Pixel(10, 10), kColors.pen);
  EXPECT_EQ(bitmap.Pixel(205, 105), kColors.pen);
  EXPECT_EQ(bitmap.Pixel(206, 106), 0x020202u);
  EXPECT_EQ(bitmap.Pixel(209, 109), 0x020202u);
  EXPECT_EQ(bitmap.Pixel(13, 108), kWhite);        // the shadow starts 4 pixels in
  EXPECT_EQ(bitmap.Pixel(90, 53), kColors.brush);  // label box centred on the whole area
}

// Arrows and areas draw their label on one line: a line break shows as a space, not a box.
TEST(PointerShapes, OneLineLabelsShowLineBreaksAsSpaces) {
  const std::function<void(Canvas&, const char*)> shapes[] = {
      [](Canvas& c, const char* label) { DrawArrowShape(c, label, 200, 50, false, kColors); },
      [](Canvas& c, const char* label) { DrawAreaShape(c, label, 10, 10, 200, 100, kColors); },
  };
  for (const auto& draw : shapes) {
    Bitmap spaced = White(320, 240);
    {
      Canvas canvas(spaced);
      draw(canvas, "one two three");
    }
    for (const char* broken : {"one\ntwo\nthree", "one\r\ntwo\rthree"}) {
      Bitmap drawn = White(320, 240);
      {
        Canvas canvas(drawn);
        draw(canvas, broken);
      }
      EXPECT_TRUE(drawn == spaced) << broken;
    }
  }
}

TEST(DrawPointers, SkipsBadRecordsAndOtherElementsAndScales) {
  const std::string colours = " CL_BRUSH=#00FF00 CL_PEN=#FF0000 CL_TXT=#0000FF";
  // Without XR, with a comma, an unknown element: none drawn; the last area is.
  TKelPigger pointers;
  pointers.LoadFromText(
      "<PNTRS><PRAR YR=0.1 RFW=0.5 RFH=0.5" + colours + "/><PRAR XR=\"0,1\" YR=0.1" + colours +
      "/><NOTE XR=0 YR=0/><PRAR XR=0.1 YR=0.1 RFW=0.5 RFH=0.5" + colours + "/></PNTRS>");
  Bitmap bitmap = White(400, 200);
  {
    Canvas canvas(bitmap);
    canvas.SetFixedTextMetrics({10, 10});
    DrawPointers(pointers, canvas);
  }
  EXPECT_EQ(DrawnBounds(bitmap), (Rect{40, 20, 239, 119}));

  // Into a rectangle of half the size, at an offset: the area halves and moves.
  Bitmap half = White(400, 200);
  {
    Canvas canvas(half);
    canvas.SetFixedTextMetrics({10, 10});
    DrawPointersInRect(pointers, canvas, 5, {100, 100, 300, 200}, 7, {});
  }
  EXPECT_EQ(DrawnBounds(half), (Rect{25, 17, 124, 66}));
}

TEST(DrawPointers, CentreOfAnOddSizeRoundsToEven) {
  TKelPigger pointers;
  pointers.LoadFromText(
      "<PNTRS><ARR XR=\" 5.00000000000000E-0001\" YR=\" 5.00000000000000E-0001\"/></PNTRS>");
  Bitmap bitmap = White(801, 601);
  {
    Canvas canvas(bitmap);
    canvas.SetFixedTextMetrics({30, 16});
    DrawPointers(pointers, canvas);
  }
  EXPECT_EQ(DrawnBounds(bitmap), (Rect{400, 268, 467, 332}));
}

TEST(DrawPointers, FilterChoosesRecords) {
  TKelPigger pointers;
  pointers.LoadFromText(
      "<PNTRS><CLD XR=0.5 YR=0.5/><ARR XR=0.2 YR=0.5/><PRAR XR=0 YR=0 RFW=0.1 RFH=0.1/></PNTRS>");
  int asked = 0;
  Bitmap bitmap = White(300, 300);
  {
    Canvas canvas(bitmap);
    canvas.SetFixedTextMetrics({20, 10});
    DrawPointers(pointers, canvas, [&](const TKelPigger& e) {
      ++asked;
      return e.Name == "PRAR";
    });
  }
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(DrawnBounds(bitmap), (Rect{0, 0, 29, 29}));
}

TEST(DrawPointers, RealFontSampleHasNoPureBlack) {
  TKelPigger pointers;
  pointers.LoadFromText(
      "<PNTRS><CLD XR=0.2 YR=0.3 ARRTXT=\"Cloud\"/>"
      "<CLD XR=0.7 YR=0.3 L2R=Y B2T=Y CL_BRUSH=#FFFF80 CL_PEN=#808080 CL_TXT=#FF0000/>"
      "<ARR XR=0.3 YR=0.7 ARRTXT=\"Arrow\" CL_BRUSH=#000000 CL_PEN=#000000 CL_TXT=#000000/>"
      "<ARR XR=0.8 YR=0.7 ARRTXT=\"Arrow left\" L2R=Y CL_BRUSH=#80FFFF CL_PEN=#0000FF "
      "CL_TXT=#000080/>"
      "<PRAR XR=0.05 YR=0.5 RFW=0.2 RFH=0.2 ARRTXT=\"Protected\" CL_BRUSH=#C0C0C0/></PNTRS>");
  pointers.Child(1)->SetAttr("ARRTXT", "Two\r\nlines");
  Bitmap bitmap = White(480, 320);
  {
    Canvas canvas(bitmap);
    EXPECT_EQ(canvas.MeasureText(" A ").height, 13);  // 8 points at 96 dpi
    DrawPointers(pointers, canvas);
  }
  test::SavePng(bitmap, "pointers.png");
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) ASSERT_NE(bitmap.Pixel(x, y), 0u) << x << "," << y;
}

TEST(DrawPointers, ALabelThatIsNotUtf8HidesNoOtherPointer) {
  // Stray bytes, a cut sequence, an overlong slash, a surrogate: each drawn as U+FFFD, and
  // the cloud after them still appears.
  TKelPigger pointers;
  pointers.LoadFromText("<PNTRS><CLD XR=0.25 YR=0.5/><CLD XR=0.75 YR=0.5 ARRTXT=after/></PNTRS>");
  for (const std::string bad : {"\xFF\xFE", "caf\xC3", "\xC0\xAF", "\xED\xA0\x80x"}) {
    pointers.Child(0)->SetAttr("ARRTXT", bad);
    Bitmap bitmap = White(400, 100);
    {
      Canvas canvas(bitmap);
      EXPECT_GT(canvas.MeasureText(bad).width, 0);
      DrawPointers(pointers, canvas);
    }
    const auto left = DrawnBounds(bitmap);
    ASSERT_TRUE(left);
    EXPECT_LT(left->left, 100);   // the bad label's cloud
    EXPECT_GT(left->right, 300);  // and the one after it
  }
}

TEST(DrawPointers, NumbersFarOutOfRangeAreClampedNotConverted) {
  // Each record is drawn or skipped without undefined behaviour; the last one always shows.
  struct Case {
    const char* what;
    const char* attributes;
  } cases[] = {
      {"huge anchor", "XR=1e308 YR=1e308"},
      {"huge negative anchor", "XR=-1e308 YR=-1e308"},
      {"huge area", "XR=0 YR=0 RFW=1e308 RFH=1e308"},
      {"huge negative area", "XR=0.5 YR=0.5 RFW=-1e308 RFH=-1e308"},
      {"just beyond an int", "XR=2147483648 YR=-2147483649"},
  };
  for (const Case& c : cases) {
    for (const char* kind : {"CLD", "ARR", "PRAR"}) {
      TKelPigger pointers;
      pointers.LoadFromText(std::string("<PNTRS><") + kind + " " + c.attributes +
                            " ARRTXT=x/><PRAR XR=0.9 YR=0.9 RFW=0.1 RFH=0.1/></PNTRS>");
      Bitmap bitmap = White(200, 100);
      {
        Canvas canvas(bitmap);
        DrawPointers(pointers, canvas);
      }
      EXPECT_NE(bitmap.Pixel(185, 95), kWhite) << c.what << " " << kind;
    }
  }
}

TEST(DrawPointers, PictureWiderThanACanvasIsDrawnInBands) {
  // 40000 pixels wide: two bands of 20000. One area lies wholly in the second band, one
  // straddles the border between the bands.
  TKelPigger pointers;
  pointers.LoadFromText(
      "<PNTRS><PRAR XR=0.9 YR=0 RFW=0.01 RFH=1 CL_BRUSH=#00FF00/>"
      "<PRAR XR=0.49 YR=0 RFW=0.02 RFH=1 CL_BRUSH=#00FF00/></PNTRS>");
  Bitmap picture = White(40000, 30);
  DrawPointersOnPicture(pointers, picture);
  EXPECT_EQ(picture.Pixel(36200, 10), 0x00FF00u);
  EXPECT_EQ(picture.Pixel(19999, 10), 0x00FF00u);
  EXPECT_EQ(picture.Pixel(20000, 10), 0x00FF00u);
  EXPECT_EQ(picture.Pixel(19600, 10), 0x010101u);  // the left edge: the pen, black lifted
  EXPECT_EQ(picture.Pixel(30000, 10), kWhite);
}

}  // namespace
}  // namespace vx
