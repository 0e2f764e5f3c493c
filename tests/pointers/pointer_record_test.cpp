#include "pointers/pointer_record.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(PointerRecord, WritesInKeyOrderAndReadsBack) {
  TKelPigger pointers;
  pointers.SetName("PNTRS");
  PointerRecord area;
  area.kind = PointerKind::Area;
  area.id = "0123456789ABCDEF0123456789ABCDEF";
  area.anchorX = 0.5;
  area.anchorY = 0.5;
  area.areaWidth = 0.25;
  area.areaHeight = 0.125;
  area.label = "secret";
  area.leftToRight = true;
  area.brush = 0xFFFF80;
  area.pen = 0;
  area.text = 0x0C0B0A;
  const TKelPigger* element = WritePointerRecord(pointers, area);
  EXPECT_EQ(element->Name, "PRAR");
  EXPECT_EQ(element->AttrNames,
            (std::vector<std::string>{"OBJ_ID", "XR", "YR", "ARRTXT", "L2R", "RFW", "RFH",
                                      "CL_BRUSH", "CL_PEN", "CL_TXT"}));
  EXPECT_EQ(element->GetAttr("XR"), " 5.00000000000000E-0001");
  EXPECT_EQ(element->GetAttr("CL_PEN"), "#000000");
  EXPECT_EQ(element->GetAttr("CL_TXT"), "#0A0B0C");
  const PointerRecord back = ReadPointerRecord(*element);
  EXPECT_EQ(back.kind, PointerKind::Area);
  EXPECT_EQ(back.id, area.id);
  EXPECT_EQ(back.areaWidth, 0.25);
  EXPECT_EQ(back.label, "secret");
  EXPECT_TRUE(back.leftToRight);
  EXPECT_FALSE(back.bottomToTop);
  EXPECT_EQ(back.text, 0x0C0B0Au);

  PointerRecord cloud;
  cloud.anchorX = 0.1;
  const TKelPigger* written = WritePointerRecord(pointers, cloud);
  EXPECT_EQ(written->Name, "CLD");
  EXPECT_EQ(written->GetAttr("RFW"), "");
  EXPECT_EQ(written->GetAttr("ARRTXT"), "");  // an empty label is not written
  EXPECT_EQ(ReadPointerRecord(*written).areaWidth, 0.0);
}

TEST(PointerRecord, ReadingRules) {
  TKelPigger pointers;
  pointers.LoadFromText(
      "<PNTRS><CLD XR=\"0,5\" YR=0.5/><ARR YR=0.5/><CLD OBJ_ID=\" ab \" XR=0.5 YR=0.5 L2R=y B2T=YES"
      " CL_BRUSH=#FFF/><NOTE XR=1 YR=1/></PNTRS>");
  EXPECT_THROW(ReadPointerRecord(*pointers.Child(0)), std::invalid_argument);
  EXPECT_THROW(ReadPointerRecord(*pointers.Child(1)), std::invalid_argument);
  const PointerRecord record = ReadPointerRecord(*pointers.Child(2));
  EXPECT_EQ(record.id, "ab");
  EXPECT_FALSE(record.leftToRight);
  EXPECT_FALSE(record.bottomToTop);
  EXPECT_EQ(record.brush, 0u);
  EXPECT_FALSE(PointerKindOf("NOTE"));
}

}  // namespace
}  // namespace vx
