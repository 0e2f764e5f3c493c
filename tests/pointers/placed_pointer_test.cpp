#include "pointers/placed_pointer.h"

#include <gtest/gtest.h>

#include <map>

#include "document/kel_pigger.h"

namespace vx {
namespace {

TEST(PlacedPointers, ReadOnPictureSize) {
  const auto pointers = ReadPlacedPointers(
      "<PNTRS>"
      "<CLD OBJ_ID=\" A1 \" XR=0.5 YR=0.25 ARRTXT=\"Привет, café\" L2R=Y/>"
      "<NOTE XR=0.1 YR=0.1/>"
      "<ARR XR=\"0,5\" YR=0.5/>"                        // unreadable: skipped
      "<PRAR XR=0.0025 YR=1 RFW=0.5 RFH=0.125 B2T=Y/>"  // 1 pixel: half to even gives 0 and 2
      "<ARR XR=1e308 YR=-1e308/>"                       // clamped far out
      "</PNTRS>",
      {400, 200});
  ASSERT_EQ(pointers.size(), 3u);
  EXPECT_EQ(pointers[0].anchor, (Point{200, 50}));
  EXPECT_EQ(pointers[0].properties.kind, 1);
  EXPECT_EQ(pointers[0].properties.objId, "A1");
  EXPECT_EQ(pointers[0].properties.label, "Привет, café");
  EXPECT_TRUE(pointers[0].properties.leftToRight);
  EXPECT_EQ(pointers[0].properties.areaWidth, 0);
  EXPECT_EQ(pointers[1].anchor, (Point{1, 200}));
  EXPECT_EQ(pointers[1].properties.kind, 3);
  EXPECT_EQ(pointers[1].properties.areaWidth, 200);
  EXPECT_EQ(pointers[1].properties.areaHeight, 25);
  EXPECT_TRUE(pointers[1].properties.bottomToTop);
  EXPECT_EQ(pointers[2].anchor, (Point{1 << 24, -(1 << 24)}));

  EXPECT_TRUE(ReadPlacedPointers("", {400, 200}).empty());
  EXPECT_TRUE(ReadPlacedPointers("<PNTRS><CLD XR=0.5", {400, 200}).empty());
}

TEST(PlacedPointers, WrittenBackAsReadUpToWholePixels) {
  const std::string text =
      "<PNTRS>"
      "<CLD OBJ_ID=0123456789ABCDEF0123456789ABCDEF XR=0.123456 YR=0.5 ARRTXT=\"Ünïcödé ж\""
      " B2T=Y CL_BRUSH=#FFFF80 CL_PEN=#808080 CL_TXT=#FF0000/>"
      "<PRAR OBJ_ID=FEDCBA9876543210FEDCBA9876543210 XR=0.1 YR=0.2 L2R=Y RFW=0.333 RFH=0.25"
      " CL_BRUSH=#000000 CL_PEN=#000000 CL_TXT=#000000/>"
      "</PNTRS>";
  const Size picture{400, 200};
  const std::string written = WritePlacedPointers(ReadPlacedPointers(text, picture), picture);
  TKelPigger before, after;
  before.LoadFromText(text);
  after.LoadFromText(written);
  ASSERT_EQ(after.Name, "PNTRS");
  ASSERT_EQ(after.ChildCount(), 2);
  // Reals come back rounded to whole pixels of the picture, in their 23-character form.
  const std::map<std::string, std::string> rounded = {{"XR", RealToText(49 / 400.0)},
                                                      {"RFW", RealToText(133 / 400.0)}};
  for (int i = 0; i < 2; ++i) {
    const TKelPigger& was = *before.Child(i);
    const TKelPigger& is = *after.Child(i);
    EXPECT_EQ(is.Name, was.Name);
    EXPECT_EQ(is.AttrNames, was.AttrNames) << was.Name;
    for (const std::string& key : was.AttrNames) {
      std::string expected = was.GetAttr(key);
      if (key == "XR" || key == "YR" || key == "RFW" || key == "RFH") {
        expected = RealToText(TextToReal(expected));
        if (rounded.count(key) && !(i == 1 && key == "XR")) expected = rounded.at(key);
      }
      EXPECT_EQ(is.GetAttr(key), expected) << was.Name << " " << key;
    }
  }
  EXPECT_EQ(after.Child(0)->GetAttr("RFW"), "");  // a cloud has no area
}

TEST(PlacedPointers, NoneWriteAnEmptyNode) {
  TKelPigger empty;
  empty.SetName("PNTRS");
  EXPECT_EQ(WritePlacedPointers({}, {10, 10}), empty.SaveToText());
}

}  // namespace
}  // namespace vx
