#include "protection/protected_areas.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "blocks/data_blocks.h"
#include "picture/bmp_codec.h"
#include "protection/cipher.h"
#include "support/noise_picture.h"

namespace vx {
namespace {

// Two areas: one reaching past the right edge, one of size 0 x 0 (a single pixel).
const char* kFrame =
    "<FRAME FRAME_ID=F1><PNTRS>"
    "<CLD XR=0.1 YR=0.1/>"
    "<PRAR OBJ_ID=A1 XR=0.9 YR=0.25 RFW=0.3 RFH=0.5/>"
    "<PRAR OBJ_ID=A2 XR=0.1 YR=0.8/>"
    "</PNTRS></FRAME>";

class ProtectedAreas : public testing::Test {
 protected:
  void SetUp() override {
    frame_.LoadFromText(kFrame);
    locked_ = original_;
    for (AreaBlock& block : LockFrameAreas(locked_, frame_, "secret"))
      blocks_[block.name] = block.data;
  }
  BlockReader Reader() {
    return [this](std::string_view name) -> std::string_view {
      auto it = blocks_.find(std::string(name));
      return it == blocks_.end() ? std::string_view() : std::string_view(it->second);
    };
  }

  TKelPigger frame_;
  const Bitmap original_ = test::NoisePicture(60, 40);
  Bitmap locked_;
  std::map<std::string, std::string> blocks_;
};

TEST_F(ProtectedAreas, LockingBlacksOutTheAreas) {
  ASSERT_EQ(blocks_.size(), 2u);
  // 0.9 x 60 = 54, 0.25 x 40 = 10; width trunc(18) + 1 reaches past the edge.
  EXPECT_EQ(AreaRectangle(*frame_.FindChild("PNTRS")->Child(1), 60, 40), (Rect{54, 10, 73, 31}));
  EXPECT_EQ(locked_.Pixel(54, 10), 0u);
  EXPECT_EQ(locked_.Pixel(59, 30), 0u);
  EXPECT_EQ(locked_.Pixel(53, 10), original_.Pixel(53, 10));
  EXPECT_EQ(locked_.Pixel(6, 32), 0u);  // the single-pixel area
  EXPECT_EQ(locked_.Pixel(7, 32), original_.Pixel(7, 32));
  const Bitmap area = DecodeBmp(DecompressToStream(blocks_["A2"]));
  EXPECT_EQ(area.Width(), 2);  // (w + 1) x (h + 1) with the pixel at (1, 1)
  EXPECT_EQ(area.Height(), 2);
}

TEST_F(ProtectedAreas, RightPasswordRestoresEveryPixelExactly) {
  Bitmap picture = locked_;
  RestoreAreas(picture, frame_, "secret", Reader());
  EXPECT_EQ(picture, original_);
}

TEST_F(ProtectedAreas, WrongEmptyOrDamagedInputChangesNothingUseful) {
  Bitmap wrong = locked_;
  RestoreAreas(wrong, frame_, "secreT", Reader());
  EXPECT_NE(wrong, original_);
  EXPECT_NE(wrong, locked_);

  Bitmap none = locked_;
  RestoreAreas(none, frame_, "", Reader());
  EXPECT_EQ(none, locked_);

  blocks_["A2"][5] ^= 0x55;  // damaged second block: not even the first area comes back
  Bitmap damaged = locked_;
  RestoreAreas(damaged, frame_, "secret", Reader());
  EXPECT_EQ(damaged, locked_);
  blocks_.erase("A2");  // missing block
  RestoreAreas(damaged, frame_, "secret", Reader());
  EXPECT_EQ(damaged, locked_);
}

TEST_F(ProtectedAreas, BadNumbersEndLockingOfTheRemainingAreas) {
  TKelPigger frame;
  frame.LoadFromText(
      "<FRAME><PNTRS><PRAR OBJ_ID=B1 XR=0 YR=0/><PRAR OBJ_ID=B2 XR=x YR=0/><PRAR OBJ_ID=B3 XR=0.5 "
      "YR=0.5/>"
      "</PNTRS></FRAME>");
  Bitmap picture = original_;
  const auto blocks = LockFrameAreas(picture, frame, "pw");
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].name, "B1");
  EXPECT_EQ(picture.Pixel(30, 20), original_.Pixel(30, 20));
}

TEST(AreaRectangle, EveryEdgeStaysInsideTwoToTheThirty) {
  // On a 1 x 1 picture the fractions are pixels. 2^30 = 1073741824.
  struct Case {
    const char* what;
    const char* attributes;
    std::optional<Rect> rect;
  } cases[] = {
      {"right edge just inside", "XR=1073741822 YR=0", Rect{1073741822, 0, 1073741823, 1}},
      {"right edge at the limit", "XR=1073741823 YR=0", std::nullopt},
      {"left rounds up to the limit", "XR=1073741823.6 YR=0", std::nullopt},
      {"wide from the origin", "XR=0 YR=0 RFW=1073741822", Rect{0, 0, 1073741823, 1}},
      {"width plus one at the limit", "XR=0 YR=0 RFH=1073741823", std::nullopt},
      {"left and width together", "XR=600000000 YR=0 RFW=600000000", std::nullopt},
      {"far left", "XR=-1073741823 YR=0", Rect{-1073741823, 0, -1073741822, 1}},
      {"beyond the far left", "XR=-1073741824 YR=0", std::nullopt},
      {"huge", "XR=1e308 YR=0", std::nullopt},
      {"huge negative width", "XR=0 YR=0 RFW=-1e308", std::nullopt},
  };
  for (const Case& c : cases) {
    TKelPigger area;
    area.LoadFromText(std::string("<PRAR ") + c.attributes + "/>");
    if (c.rect) {
      EXPECT_EQ(AreaRectangle(area, 1, 1), *c.rect) << c.what;
    } else {
      EXPECT_THROW(AreaRectangle(area, 1, 1), std::invalid_argument) << c.what;
    }
  }
}

// Archives made the older way squeeze the w x h area into (w - 1) x (h - 1) pixels of a
// w x h area bitmap; they still restore, scaled back as before.
TEST(ProtectedAreasOldShape, StillRestoresScaled) {
  TKelPigger frame;
  frame.LoadFromText(
      "<FRAME><PNTRS><PRAR OBJ_ID=OLD XR=0.1 YR=0.1 RFW=0.5 RFH=0.5/></PNTRS></FRAME>");
  const Bitmap original = test::NoisePicture(40, 20);
  const Rect rect =
      AreaRectangle(*frame.FindChild("PNTRS")->Child(0), 40, 20);  // 21 x 11 at (4, 2)
  Bitmap area(rect.Width(), rect.Height());
  StretchCopy(original, rect, area, {1, 1, rect.Width(), rect.Height()});
  LockArea(area, {1, 1, rect.Width(), rect.Height()}, "secret");
  const std::string block = CompressToString(EncodeBmp(area));
  Bitmap picture = original;
  picture.FillRect(rect, 0);

  RestoreAreas(picture, frame, "secret", [&](std::string_view) { return std::string_view(block); });

  Bitmap squeezed(rect.Width() - 1, rect.Height() - 1);
  StretchCopy(original, rect, squeezed, {0, 0, squeezed.Width(), squeezed.Height()});
  Bitmap expected = original;
  StretchCopy(squeezed, {0, 0, squeezed.Width(), squeezed.Height()}, expected, rect);
  EXPECT_EQ(picture, expected);
}

}  // namespace
}  // namespace vx
