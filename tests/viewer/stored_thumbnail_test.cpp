// The strip takes a frame's stored thumbnail when the archive has an intact one large enough,
// and decodes the picture as before otherwise; archives made by the archive maker.
#include "picture/stored_thumbnail.h"

#include <gtest/gtest.h>

#include "protection/archive_lock.h"
#include "support/test_archive.h"
#include "support/viewer_window_test.h"

namespace vx::viewer {
namespace {

// Writes bytes over the archive's block at the fraction of its data.
void Overwrite(const std::string& archive, const std::string& name, double at,
               const std::string& bytes) {
  std::string whole = ReadWholeFile(archive);
  for (const auto& entry : BlockIndex(whole).List()) {
    if (entry.name == name)
      whole.replace(entry.offset + static_cast<size_t>(entry.size * at), bytes.size(), bytes);
  }
  WriteFileAtomically(archive, whole);
}

// Frame F1 has a protected area; every picture is 800 x 600, its quarter 200 x 150.
std::string Frames(const test::TempFolder& dir, int count) {
  return test::SampleFrames(dir, count, {800, 600}, [](int i) {
    return i == 1 ? "<PNTRS><PRAR OBJ_ID=A1 XR=0.1 YR=0.1 RFW=0.5 RFH=0.5/></PNTRS>" : "";
  });
}

TEST(StripThumbnail, StoredWhenIntactLargeEnoughAndNotToBeRestored) {
  test::TempFolder dir;
  const std::string archive = test::MakeTestArchive(dir, "", Frames(dir, 3), "pw");
  // An intact JPEG file cut short: its end goes, and libjpeg would only warn.
  Overwrite(archive, "TN_F2", 0.5, "\xFF\xD9");
  const ArchiveImage image(archive);
  EXPECT_NO_THROW(DecodeJpeg(image.ReadBlock("TN_F2")));  // which shows what it can
  ArchiveSession session([&](std::string_view name) { return image.ReadBlock(name); });
  ASSERT_TRUE(session.LoadDescription());
  AreaLock open;
  ASSERT_EQ(session.Password().Check("pw", open), PasswordCheck::Right);
  struct Case {
    int frame;
    Size box;
    bool opened;
    int width;  // 128 or 256 from the stored thumbnail (decoded at a half for a small box),
                // 200 from the picture
  };
  for (const Case& c : {Case{0, {120, 90}, false, 128}, Case{0, {256, 256}, false, 256},
                        Case{0, {300, 300}, false, 200},    // larger than stored
                        Case{1, {120, 90}, false, 128},     // areas black, as the thumbnail
                        Case{1, {120, 90}, true, 200},      // areas restored from the picture
                        Case{0, {120, 90}, true, 128},      // nothing to restore
                        Case{2, {120, 90}, false, 200}}) {  // damaged
    const TKelPigger& frame = *session.Document().Child(c.frame);
    const auto picture = session.DecodeFrameThumbnail(frame, c.box, c.opened ? open : AreaLock());
    ASSERT_TRUE(picture) << c.frame;
    EXPECT_EQ(picture->Width(), c.width)
        << "frame " << c.frame << " box " << c.box.width << (c.opened ? " opened" : "");
  }

  // Restored areas differ from the black ones of the stored thumbnail.
  const auto restored = session.DecodeFrameThumbnail(*session.Document().Child(1), {120, 90}, open);
  const auto locked =
      session.DecodeFramePicture(*session.Document().Child(1), JpegScale::Quarter, {});
  EXPECT_NE(*restored, *locked);
}

TEST(StripThumbnail, ArchivesWithoutThemDecodeThePicture) {
  test::TempFolder dir;
  const std::string archive =
      test::MakeTestArchive(dir, "", Frames(dir, 1), "", kLeastKeyParameters, false);
  const ArchiveImage image(archive);
  EXPECT_TRUE(image.ReadBlock("TN_F0").empty());
  ArchiveSession session([&](std::string_view name) { return image.ReadBlock(name); });
  ASSERT_TRUE(session.LoadDescription());
  const auto picture = session.DecodeFrameThumbnail(*session.Document().Child(0), {120, 90}, {});
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), 200);
}

class StripOfStoredThumbnails : public test::ViewerWindowTest {
 protected:
  int Pending(int first, int last) {
    int pending = 0;
    for (int k = first; k < last; ++k) pending += window_->Strip().TileAt(k)->Pending() ? 1 : 0;
    return pending;
  }
};

// Every block read takes a while: all forty tiles are there at once, and the first picture
// is shown while most of their thumbnails are still on their way.
TEST_F(StripOfStoredThumbnails, EveryTileAtOnceAndTheFirstPictureBeforeTheirThumbnails) {
  const std::string archive =
      test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 40, {160, 120}));
  int tilesAtFirstPicture = -1, pendingAtFirstPicture = -1;
  onPictureShown_ = [&] {
    if (tilesAtFirstPicture >= 0) return;
    tilesAtFirstPicture = window_->Strip().TileCount();
    pendingAtFirstPicture = Pending(0, tilesAtFirstPicture);
  };
  blockDelay_ = std::chrono::milliseconds(20);
  OpenArchive(archive);
  EXPECT_EQ(tilesAtFirstPicture, 40);
  EXPECT_GT(pendingAtFirstPicture, 20);
  EXPECT_EQ(Pending(0, 40), 0);
  EXPECT_EQ(window_->Strip().Current()->Id, "F0");
}

// A strip rebuilt around frame 40 of 60 makes the thumbnails in sight there before those
// above and below them.
TEST_F(StripOfStoredThumbnails, TilesInSightComeFirst) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 60, {160, 120})));
  blockDelay_ = std::chrono::milliseconds(10);
  window_->SetStripWidth(window_->StripWidth() + Scaled(20));  // no thumbnail from the cache
  window_->Rebuild("F40");
  ui::TO_img_items& strip = window_->Strip();
  ASSERT_EQ(strip.Current()->Id, "F40");
  const auto [first, last] = strip.VisibleTiles();
  ASSERT_LE(first, 40);
  ASSERT_GT(last, 40);
  ASSERT_LT(last, 50);
  ASSERT_TRUE(test::WaitFor([&] { return Pending(first, last) == 0; }));
  // Meanwhile only a few tiles above them were made, and none below.
  EXPECT_GE(Pending(0, first), first - 8);
  EXPECT_EQ(Pending(50, 60), 10);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(Pending(0, 60), 0);

  // Moved to the end while the strip fills from the top: the tiles that come into sight
  // there go before the ones between.
  window_->SetStripWidth(window_->StripWidth() + Scaled(20));
  window_->Rebuild();
  test::Key(*window_, FL_End);
  ASSERT_EQ(strip.Current()->Id, "F59");
  ASSERT_TRUE(test::WaitFor([&] { return Pending(57, 60) == 0; }));
  EXPECT_GE(Pending(10, 50), 30);
  ASSERT_TRUE(WaitUntilIdle());
}

// The strip of six frames reads no picture block for its tiles but a damaged thumbnail's
// frame, and the archive cut inside its last thumbnail still shows every tile.
TEST_F(StripOfStoredThumbnails, ReadsPicturesOnlyWhereAThumbnailFails) {
  const std::string archive = test::MakeTestArchive(dir_, "", Frames(dir_, 6));
  Overwrite(archive, "TN_F3", 0.5, "\xFF\xD9");
  std::string whole = ReadWholeFile(archive);
  const auto blocks = BlockIndex(whole).List();
  ASSERT_EQ(blocks.back().name, "TN_F5");
  whole.resize(blocks.back().offset + blocks.back().size / 2);
  WriteFileAtomically(archive, whole);

  OpenArchive(archive);
  ASSERT_EQ(window_->Strip().TileCount(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_TRUE(window_->Strip().TileAt(i)->Thumbnail()) << i;
    EXPECT_FALSE(window_->Strip().TileAt(i)->Missing) << i;
    EXPECT_GE(BlockReads("TN_F" + std::to_string(i)), 1) << i;
  }
  EXPECT_EQ(BlockReads("F2"), 0);
  EXPECT_GE(BlockReads("F3"), 1);
  EXPECT_GE(BlockReads("F5"), 1);
}

}  // namespace
}  // namespace vx::viewer
