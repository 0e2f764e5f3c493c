// Moving through the pictures as a recipient does: bursts of key presses, the keys people
// try on every panel, the wheel over the strip, and where the window says it stands.
#include "support/test_archive.h"
#include "support/ui_events.h"
#include "support/viewer_window_test.h"

namespace vx::viewer {
namespace {

using Clock = std::chrono::steady_clock;

class Navigation : public test::ViewerWindowTest {
 protected:
  int CurrentIndex() { return window_->Strip().IndexOfTile(window_->Strip().Current()); }
  // Lets more than a tick pass, so the next change comes after a pause (one wait may end
  // early, at any event).
  void Pause() {
    const auto end = Clock::now() + std::chrono::milliseconds(300);
    for (auto now = Clock::now(); now < end; now = Clock::now())
      Fl::wait(std::chrono::duration<double>(end - now).count());
  }
};

// A burst loads the last picture one tick after its last press, however long it was; the old
// counter took 4.3 s after 20 presses and 8.5 s after 40. The presses come faster than any
// machine runs a tick: the event loop does not run between them.
TEST_F(Navigation, BurstsLoadOnePictureATickAfterTheLastPress) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 200, {64, 48})));
  ASSERT_EQ(window_->Strip().TileCount(), 200);
  int expected = 0;
  for (int presses : {20, 40}) {
    Pause();
    const int before = picturesShown_;
    for (int i = 0; i < presses; ++i) {
      Fl::e_keysym = FL_Down;
      Fl::handle(FL_KEYDOWN, window_.get());
      Fl::handle(FL_KEYUP, window_.get());
    }
    const auto lastPress = Clock::now();
    expected += presses;
    EXPECT_EQ(window_->PendingLoads(), presses) << presses;
    ASSERT_TRUE(test::WaitFor([&] { return picturesShown_ > before; }));
    const double waited = std::chrono::duration<double>(Clock::now() - lastPress).count();
    EXPECT_GE(waited, 0.2) << presses;
    EXPECT_LT(waited, 2.0) << presses;  // a tick, with room for a busy machine
    EXPECT_EQ(window_->View().Model().Frame().GetAttr("FRAME_ID"), "F" + std::to_string(expected));
    Fl::wait(0.4);
    EXPECT_EQ(picturesShown_, before + 1) << presses;
  }
}

TEST_F(Navigation, ASingleStepAfterAPauseLoadsAtOnce) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 3, {64, 48})));
  Pause();
  const int before = picturesShown_;
  test::Key(*window_, FL_Right);  // no tick waited: the event loop's next turn loads it
  EXPECT_EQ(picturesShown_, before + 1);
  EXPECT_EQ(window_->View().Model().Frame().GetAttr("FRAME_ID"), "F1");
}

// Left/Right, BackSpace/Space everywhere; Page Up/Down step on the description and
// real-size panels (on the main panel they stay the strip's page moves).
TEST_F(Navigation, KeysStepFromEveryPanel) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 30, {640, 480})));
  const struct {
    TFmain::Panel panel;
    int key;
    int step;
  } cases[] = {
      {TFmain::Panel::Main, FL_Right, 1},
      {TFmain::Panel::Main, ' ', 1},
      {TFmain::Panel::Main, FL_Left, -1},
      {TFmain::Panel::Main, FL_BackSpace, -1},
      {TFmain::Panel::Description, FL_Page_Down, 1},
      {TFmain::Panel::Description, FL_Right, 1},
      {TFmain::Panel::Description, FL_Page_Up, -1},
      {TFmain::Panel::RealSize, ' ', 1},
      {TFmain::Panel::RealSize, FL_Page_Down, 1},
      {TFmain::Panel::RealSize, FL_BackSpace, -1},
  };
  window_->Strip().SelectTile(window_->Strip().TileAt(10));
  ASSERT_TRUE(WaitForNextPicture());
  for (const auto& c : cases) {
    if (c.panel == TFmain::Panel::Description) window_->SB_DSCClick();
    if (c.panel == TFmain::Panel::RealSize) window_->SB_realSizeClick();
    const int from = CurrentIndex();
    Pause();
    test::Key(*window_, c.key);
    ASSERT_TRUE(WaitForPictures(picturesShown_));
    EXPECT_EQ(CurrentIndex(), from + c.step) << c.key;
    EXPECT_EQ(window_->CurrentPanel(), c.panel) << c.key;
    const std::string id = "F" + std::to_string(from + c.step);
    EXPECT_EQ(window_->View().Model().Frame().GetAttr("FRAME_ID"), id) << c.key;
    if (c.panel == TFmain::Panel::Description) {
      EXPECT_EQ(window_->DescriptionPanel().Caption(), "p" + std::to_string(from + c.step));
    }
    if (c.panel == TFmain::Panel::RealSize) {
      // The panel draws the new picture: the samples differ from picture to picture.
      const Rect shown = window_->RealSizeView().PictureRect();
      EXPECT_EQ(DrawWindow(*window_).Pixel(shown.left + 100, shown.top + 100),
                window_->View().Model().WorkingPicture().Pixel(100, 100))
          << c.key;
    }
    test::Key(*window_, FL_Escape);
  }
  // On the main panel Page Down keeps moving a page of the strip.
  const int from = CurrentIndex();
  test::Key(*window_, FL_Page_Down);
  EXPECT_GT(CurrentIndex(), from + 1);
}

TEST_F(Navigation, WheelScrollsTheStripAndZoomsThePicture) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 20, {640, 480})));
  ui::TO_img_items& strip = window_->Strip();
  const int top = strip.TileAt(0)->y();
  test::Wheel(*window_, strip.x() + 50, strip.y() + 200, 1);
  test::Wheel(*window_, strip.x() + 50, strip.y() + 200, 1);
  EXPECT_LT(strip.TileAt(0)->y(), top);
  EXPECT_EQ(window_->View().Model().State(), ZoomMode::Normal);
  EXPECT_EQ(CurrentIndex(), 0);  // scrolling selects nothing
  test::Wheel(*window_, window_->View().PaintX() + 100, window_->View().PaintY() + 100, 1);
  EXPECT_EQ(window_->View().Model().State(), ZoomMode::Preview);
}

// The next and previous pictures are decoded while one is looked at: a step to either shows
// it without reading its block again.
TEST_F(Navigation, NeighboursAreDecodedAhead) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 4, {640, 480})));
  window_->Strip().SelectTile(window_->Strip().TileAt(1));
  ASSERT_TRUE(WaitForNextPicture());
  ASSERT_TRUE(test::WaitFor([&] { return window_->Ahead().ReadyCount() == 2; }));
  const int readsOfNext = BlockReads("F2"), readsOfPrevious = BlockReads("F1");
  Pause();
  test::Key(*window_, FL_Right);
  ASSERT_TRUE(WaitForPictures(picturesShown_));
  EXPECT_EQ(window_->View().Model().Frame().GetAttr("FRAME_ID"), "F2");
  EXPECT_EQ(BlockReads("F2"), readsOfNext);
  const Bitmap original = DecodeJpeg(ReadWholeFile(dir_ / "p2.jpg"));
  EXPECT_EQ(window_->View().Model().DecodedPicture().Pixel(320, 240), original.Pixel(320, 240));
  // Back again: the picture left is held, not decoded anew.
  Pause();
  test::Key(*window_, FL_Left);
  ASSERT_TRUE(WaitForPictures(picturesShown_));
  EXPECT_EQ(window_->View().Model().Frame().GetAttr("FRAME_ID"), "F1");
  EXPECT_EQ(BlockReads("F1"), readsOfPrevious);
}

TEST_F(Navigation, CaptionTellsNumberAndName) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 3, {64, 48})));
  EXPECT_STREQ(window_->label(), "1 / 3 - p0 - archive.run");
  window_->Strip().SelectLast();
  EXPECT_STREQ(window_->label(), "3 / 3 - p2 - archive.run");
}

}  // namespace
}  // namespace vx::viewer
