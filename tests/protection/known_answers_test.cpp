// Archives and project files already sent depend on these bytes: the scrambled pixels of an
// area, the stored form and digest of a password, a complete area block. A change that fails
// here would make old archives or projects unreadable.
#include <gtest/gtest.h>

#include "blocks/data_blocks.h"
#include "document/conversions.h"
#include "picture/bmp_codec.h"
#include "platform/files.h"
#include "protection/cipher.h"
#include "protection/protected_areas.h"
#include "support/test_data.h"

namespace vx {
namespace {

// 8 x 6, every byte a function of its place.
Bitmap FixedPicture() {
  Bitmap picture(8, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      std::uint8_t* p = picture.Row(y) + x * 3;
      p[0] = static_cast<std::uint8_t>(x * 30);
      p[1] = static_cast<std::uint8_t>(y * 40);
      p[2] = static_cast<std::uint8_t>((x + y) * 10);
    }
  }
  return picture;
}

std::string PixelBytes(const Bitmap& bitmap) {
  std::string bytes;
  for (int y = 0; y < bitmap.Height(); ++y)
    bytes.append(reinterpret_cast<const char*>(bitmap.Row(y)), bitmap.Width() * 3);
  return bytes;
}

constexpr const char* kFrame =
    "<FRAME><PNTRS><PRAR OBJ_ID=K1 XR=0.25 YR=0.5 RFW=0.5 RFH=0.25/></PNTRS></FRAME>";

TEST(KnownAnswers, AreaCipher) {
  Bitmap picture = FixedPicture();
  LockArea(picture, {1, 1, 5, 3}, "secret");
  EXPECT_EQ(PixelBytes(picture), ReadWholeFile(test::DataPath("known/locked-area.bin")));
}

TEST(KnownAnswers, StoredPasswordAndDigest) {
  EXPECT_EQ(HexEncode(StorePassword("Vellumax 2026!")), "54D655E6C9D59FEC70C8B8EA2328");
  EXPECT_EQ(DigestText("Vellumax 2026!"), "4DC7D0F67A81BE54E176852BCFB40ECC");
}

TEST(KnownAnswers, AreaBlock) {
  TKelPigger frame;
  frame.LoadFromText(kFrame);
  const Bitmap original = FixedPicture();
  Bitmap picture = original;
  const auto blocks = LockFrameAreas(picture, frame, "secret");
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].name, "K1");
  // Compared inflated: zlib may pack the same bytes differently some day.
  const std::string committed = ReadWholeFile(test::DataPath("known/area-block.bin"));
  EXPECT_EQ(DecompressToStream(blocks[0].data), DecompressToStream(committed));
  // The committed block still restores the picture.
  RestoreAreas(picture, frame, "secret",
               [&](std::string_view) { return std::string_view(committed); });
  EXPECT_EQ(picture, original);
}

}  // namespace
}  // namespace vx
