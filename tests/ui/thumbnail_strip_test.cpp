#include "ui/thumbnail_strip.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <gtest/gtest.h>

#include <memory>

#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "sample_pictures.h"
#include "support/temp_folder.h"
#include "support/ui_events.h"
#include "support/wild_jpegs.h"
#include "tile_loading.h"

namespace vx::ui {
namespace {

// A window with a strip whose scroll area is 234 pixels wide (tiles of 200).
class StripWindow : public testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<Fl_Double_Window>(260, 700, "strip");
    strip_ = new TO_img_items(10, 10, 234, 657);
    window_->end();
    window_->show();
    test::Settle();
    strip_->OnSelect = [this] { ++selects_; };
    strip_->OnBeforeSelect = [this] { ++beforeSelects_; };
    strip_->OnReorder = [this](TO_img_item*) { ++reorders_; };
  }
  void TearDown() override {
    window_->hide();
    window_.reset();
    Fl::check();
  }

  // Tiles whose loader paints a picture of the given size in a colour of its own.
  void AddTiles(int count, Size picture = {1600, 1200}) {
    for (int i = 0; i < count; ++i) {
      const std::string id = "T" + std::to_string(i);
      strip_
          ->AddTile(id,
                    [picture, i](const std::string&, Bitmap& out) {
                      out = MakeSamplePicture(picture.width, picture.height,
                                              static_cast<unsigned>(i));
                      return true;
                    })
          ->SetFooter("Picture " + std::to_string(i));
    }
    test::Settle();
  }

  std::vector<std::string> Order() const {
    std::vector<std::string> ids;
    for (int i = 0; i < strip_->TileCount(); ++i) ids.push_back(strip_->TileAt(i)->Id);
    return ids;
  }

  // The middle of a tile's picture, in window coordinates.
  Point PictureCentre(int index) const {
    const TO_img_item* tile = strip_->TileAt(index);
    return {tile->x() + tile->w() / 2, tile->y() + tile->h() / 2};
  }

  std::unique_ptr<Fl_Double_Window> window_;
  TO_img_items* strip_ = nullptr;
  int selects_ = 0, beforeSelects_ = 0, reorders_ = 0;
};

TEST_F(StripWindow, TilesAreSizedAndPlacedAndReduced) {
  AddTiles(3);
  ASSERT_EQ(strip_->TileCount(), 3);
  const TO_img_item* third = strip_->TileAt(2);
  EXPECT_EQ(third->w(), 200);
  EXPECT_EQ(third->ThumbnailSize(), (Size{183, 137}));
  strip_->SelectTile(strip_->TileAt(0));
  test::Settle();
  // Unscrolled, tile 2's top lies 430 below the scroll area's top.
  EXPECT_EQ(third->y() - strip_->TileAt(0)->y(), 420);
  EXPECT_EQ(strip_->TileAt(0)->y(), strip_->y() + 7 + 10);
}

TEST_F(StripWindow, ClickSelectsButTheCheckBoxDoesNot) {
  AddTiles(3);
  int checks = 0;
  strip_->OnCheckClick = [&](TO_img_item*) { ++checks; };
  const Point centre = PictureCentre(0);
  test::Click(*window_, centre.x, centre.y);
  EXPECT_EQ(strip_->Current(), strip_->TileAt(0));
  EXPECT_EQ(selects_, 1);
  EXPECT_EQ(beforeSelects_, 0);

  Fl_Check_Button& box = strip_->TileAt(1)->CheckBox();
  test::Click(*window_, box.x() + 8, box.y() + box.h() / 2);
  EXPECT_EQ(strip_->Current(), strip_->TileAt(0));
  EXPECT_TRUE(strip_->TileAt(1)->Checked());
  EXPECT_TRUE(strip_->AnyTileChecked());
  EXPECT_EQ(checks, 1);
}

TEST_F(StripWindow, KeysAndPagesMoveTheSelection) {
  AddTiles(10, {40, 30});
  strip_->HandleKey(FL_Down);
  EXPECT_EQ(strip_->Current(), nullptr);  // no moves without a current tile
  strip_->HandleKey(FL_Home);
  EXPECT_EQ(strip_->IndexOfTile(strip_->Current()), 0);
  strip_->HandleKey(FL_Up);
  EXPECT_EQ(strip_->IndexOfTile(strip_->Current()), 0);
  strip_->HandleKey(FL_Down);
  EXPECT_EQ(strip_->IndexOfTile(strip_->Current()), 1);
  strip_->HandleKey(FL_End);
  EXPECT_EQ(strip_->IndexOfTile(strip_->Current()), 9);
  strip_->SelectTile(strip_->TileAt(8));
  ASSERT_EQ(strip_->ScrollAreaHeight() / 210, 3);
  strip_->HandleKey(FL_Page_Down);
  EXPECT_EQ(strip_->IndexOfTile(strip_->Current()), 9);
  strip_->HandleKey(FL_Page_Up);
  EXPECT_EQ(strip_->IndexOfTile(strip_->Current()), 6);
}

TEST_F(StripWindow, DraggingOneTileOntoAnotherReorders) {
  AddTiles(4, {300, 200});
  strip_->AllowReorder = true;
  window_->resize(window_->x(), window_->y(), 260, 1000);
  strip_->resize(10, 10, 234, 957);
  strip_->SelectTile(strip_->TileAt(0));
  test::Settle();
  Point from = PictureCentre(0), to = PictureCentre(3);
  test::DragTo(*window_, from.x, from.y, to.x, to.y);
  EXPECT_EQ(Order(), (std::vector<std::string>{"T1", "T2", "T3", "T0"}));
  EXPECT_EQ(reorders_, 1);
  from = PictureCentre(3);
  to = PictureCentre(0);
  test::DragTo(*window_, from.x, from.y, to.x, to.y);
  EXPECT_EQ(Order(), (std::vector<std::string>{"T0", "T1", "T2", "T3"}));
  EXPECT_EQ(reorders_, 2);
  // Without permission, or dropped on itself: nothing moves.
  strip_->AllowReorder = false;
  test::DragTo(*window_, PictureCentre(0).x, PictureCentre(0).y, PictureCentre(2).x,
               PictureCentre(2).y);
  EXPECT_EQ(reorders_, 2);
}

TEST_F(StripWindow, DeletingAndFinding) {
  AddTiles(3);
  strip_->SelectTile(strip_->TileAt(1));
  const int top0 = strip_->TileAt(0)->y();
  strip_->DeleteTileAt(5);
  EXPECT_EQ(strip_->TileCount(), 3);
  strip_->DeleteTileAt(0);
  EXPECT_EQ(strip_->TileCount(), 2);
  EXPECT_EQ(strip_->Current(), nullptr);
  EXPECT_EQ(strip_->TileAt(0)->Id, "T1");
  EXPECT_EQ(strip_->TileAt(0)->y(), top0);
  EXPECT_EQ(strip_->FindTileById("T2"), strip_->TileAt(1));
  EXPECT_EQ(strip_->FindTileById("t2"), nullptr);
  EXPECT_EQ(strip_->FindTileById(""), nullptr);
  strip_->ClearTiles();
  EXPECT_EQ(strip_->TileCount(), 0);
}

TEST_F(StripWindow, EmptyLoaderGivesAPlaceholderAndLoadCurrentReportsFailure) {
  strip_->AddTile("E", [](const std::string&, Bitmap&) { return false; });
  strip_->AddTile("X",
                  [](const std::string&, Bitmap&) -> bool { throw std::runtime_error("gone"); });
  test::Settle();
  EXPECT_EQ(strip_->TileAt(0)->ThumbnailSize(), (Size{1, 1}));
  Bitmap picture;
  EXPECT_FALSE(strip_->LoadCurrentPicture(picture));
  strip_->SelectTile(strip_->TileAt(0));
  EXPECT_FALSE(strip_->LoadCurrentPicture(picture));
  strip_->SelectTile(strip_->TileAt(1));
  EXPECT_FALSE(strip_->LoadCurrentPicture(picture));
}

TEST(BuilderTiles, ThumbnailsFitTheirBoxUpright) {
  test::TempFolder dir;
  const strip::Metrics metrics;
  const Size box = strip::PictureBox(200, metrics);
  const std::string wide =
      dir.Write("harbour.jpg", *EncodeJpeg(MakeSamplePicture(800, 600, 3), 80));
  // Stored on its side as a camera does: upright it stands taller than wide.
  const std::string turned = dir.Write(
      "turned.jpg", test::WildJpeg(MakeSamplePicture(800, 600, 3), test::JpegShape::Plain, 6));
  const auto landscape = builder::MakeTileThumbnail(wide, 200, metrics);
  EXPECT_EQ((Size{landscape->Width(), landscape->Height()}), FitInside({800, 600}, box));
  const auto portrait = builder::MakeTileThumbnail(turned, 200, metrics);
  EXPECT_EQ((Size{portrait->Width(), portrait->Height()}), FitInside({600, 800}, box));
  EXPECT_THROW(builder::MakeTileThumbnail(dir / "none.jpg", 200, metrics), std::runtime_error);
}

TEST_F(StripWindow, ScreenshotOfADozenTiles) {
  window_->resize(window_->x(), window_->y(), 260, 1000);
  strip_->resize(10, 10, 234, 957);
  AddTiles(12);
  strip_->TileAt(1)->SetChecked(true);
  strip_->SelectTile(strip_->TileAt(0));
  test::SaveWindowPng(*window_, "thumbnail-strip.png");
}

}  // namespace
}  // namespace vx::ui
