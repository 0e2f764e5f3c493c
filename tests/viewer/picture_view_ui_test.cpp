// The picture view and the buttons around it in the viewer's window, driven by synthesised
// mouse and key events.
#include "support/test_archive.h"
#include "support/ui_events.h"
#include "support/viewer_window_test.h"

// After gtest (in the fixture): X11's macros would break it.
#include <FL/x.H>

namespace vx::viewer {
namespace {

using namespace std::chrono_literals;

std::string CloudAndArea(int) {
  return "<PNTRS><CLD XR=0.5 YR=0.5 ARRTXT=cloud CL_BRUSH=#FFFF80/>"
         "<PRAR OBJ_ID=A0 XR=0.25 YR=0.25 RFW=0.25 RFH=0.25/></PNTRS>";
}

class PictureViewUi : public test::ViewerWindowTest {
 protected:
  TO_pgv& View() { return window_->View(); }
  PictureViewModel& Model() { return window_->View().Model(); }
  // A point of the paint box in window coordinates.
  Point OnPicture(int x, int y) { return {View().PaintX() + x, View().PaintY() + y}; }
  // Every event the X server has sent so far handled (sizes it confirmed late above all).
  static bool XSettled() {
    XSync(fl_display, False);
    Fl::check();
    return true;
  }
};

TEST_F(PictureViewUi, ZoomThroughTheWidget) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 1, {1600, 1200})));
  Fl_Widget& lens = View().Image_mg();
  const Point away = OnPicture(450, 350);
  test::Wheel(*window_, away.x, away.y, 1);
  ASSERT_EQ(Model().State(), ZoomMode::Preview);
  ASSERT_TRUE(lens.visible());
  EXPECT_EQ(lens.x(), View().PaintX() + Model().LensPosition().x);
  test::Settle();
  test::SaveWindowPng(*window_, "viewer-zoom-preview.png");

  // Over the lens nothing is applied; dragging it moves the preview.
  test::Hover(*window_, lens.x() + 100, lens.y() + 100);
  EXPECT_EQ(Model().State(), ZoomMode::Preview);
  const Point before = Model().LensPosition();
  test::DragTo(*window_, lens.x() + 100, lens.y() + 100, lens.x() + 260, lens.y() + 180);
  EXPECT_EQ(Model().LensPosition(), (Point{before.x + 160, before.y + 80}));
  EXPECT_EQ(Model().State(), ZoomMode::Preview);
  EXPECT_FALSE(lens.visible());

  // The next movement over the picture applies the zoom, with the pie showing progress.
  test::Hover(*window_, away.x, away.y);
  EXPECT_EQ(Model().State(), ZoomMode::Resampling);
  EXPECT_GE(View().GaugeValue(), 25);
  ASSERT_TRUE(test::WaitFor([&] { return Model().State() == ZoomMode::Normal; }));
  EXPECT_TRUE(Model().Zoomed());
  EXPECT_EQ(Model().WorkingPicture().Width(), RoundHalfEven(1600 / 0.9));
  EXPECT_EQ(View().GaugeValue(), 0);

  test::Wheel(*window_, away.x, away.y, -1);  // back to the unzoomed picture
  EXPECT_FALSE(Model().Zoomed());
  EXPECT_EQ(Model().WorkingPicture().Width(), 1600);
}

TEST_F(PictureViewUi, ResizingRefitsOnceItEndsAndVisitsKeepTheZoom) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 1, {1600, 1200})));
  const int width = Model().BackBuffer().Width(), height = window_->h();
  // The steps of a drag of the window's edge come quicker than the refit waits: none refits.
  for (int step = 1; step <= 5; ++step) window_->size(1000 - 20 * step, height);
  EXPECT_EQ(Model().BackBuffer().Width(), width);
  EXPECT_TRUE(Model().NeedsRefit());
  // The X server confirms each size in its own time; then one refit follows.
  ASSERT_TRUE(test::WaitFor([&] {
    return XSettled() && window_->w() == 900 && window_->h() == height && !Model().NeedsRefit();
  }));
  EXPECT_EQ(Model().BackBuffer().Width(), width - 100);

  const Point at = OnPicture(450, 350);
  test::Wheel(*window_, at.x, at.y, 1);
  test::Hover(*window_, at.x, at.y);
  ASSERT_TRUE(test::WaitFor([&] { return Model().Zoomed(); }));
  for (auto show : {&TFmain::SB_realSizeClick, &TFmain::SB_DSCClick}) {
    (window_.get()->*show)();
    ASSERT_TRUE(test::WaitFor([&] { return XSettled() && window_->shown(); }));
    test::Key(*window_, FL_Escape);
    ASSERT_EQ(window_->CurrentPanel(), TFmain::Panel::Main);
    // Back at its size with nothing to refit, the view keeps its zoom for good.
    ASSERT_TRUE(test::WaitFor([&] {
      return XSettled() && window_->shown() && window_->w() == 900 && window_->h() == height &&
             !Model().NeedsRefit();
    }));
    EXPECT_TRUE(Model().Zoomed());
  }
}

TEST_F(PictureViewUi, SplitterDragKeepsThePictureInSight) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 40, {320, 240})));
  window_->Strip().SelectTile(window_->Strip().TileAt(3));
  ASSERT_TRUE(WaitForNextPicture());
  blockDelay_ = 5ms;
  const int at = window_->StripWidth() + 2;
  test::Press(*window_, at, 300);
  test::MoveMouse(*window_, at + 40, 300);
  Fl::e_state = FL_BUTTON1;
  Fl::handle(FL_DRAG, window_.get());
  test::Release(*window_, at + 40, 300);  // the rebuild starts here
  EXPECT_TRUE(window_->Busy());
  EXPECT_EQ(window_->Strip().TileCount(), 40);  // every tile at once, thumbnails coming in
  EXPECT_TRUE(View().visible_r());
  test::SaveWindowPng(*window_, "viewer-splitter-rebuild.png");
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window_->Strip().Current()->Id, "F3");
}

TEST_F(PictureViewUi, PointersToggleReloadsAndAProtectedAreaAsksForThePassword) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 1, {400, 300}, CloudAndArea),
                                    "secret"));
  const Rect picture = Model().PictureRect();
  const Point cloud = {picture.left + picture.Width() / 2, picture.top + picture.Height() / 2};
  const Color plain = Model().BackBuffer().Pixel(cloud.x + 5, cloud.y - 20);
  Fl_Widget& pointers = window_->PointersButton();
  const int shown = picturesShown_;
  test::Click(*window_, pointers.x() + 10, pointers.y() + 5);
  ASSERT_TRUE(WaitForPictures(shown + 1));
  EXPECT_NE(Model().BackBuffer().Pixel(cloud.x + 5, cloud.y - 20), plain);  // the cloud is in

  int asked = 0;
  dialogs_->onModal = [&](Fl_Window&) { ++asked; };
  const Point area =
      OnPicture(picture.left + picture.Width() * 3 / 8, picture.top + picture.Height() * 3 / 8);
  test::Click(*window_, area.x, area.y);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(Model().Following());
  const Point elsewhere =
      OnPicture(picture.left + picture.Width() * 7 / 8, picture.top + picture.Height() * 7 / 8);
  test::Click(*window_, elsewhere.x, elsewhere.y);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(Model().Following());  // the lens follows the mouse instead
}

TEST_F(PictureViewUi, EscapeInThePasswordBoxCancels) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 1, {64, 48}, CloudAndArea),
                                    "secret"));
  TD_dialog_actions& dialog = window_->ActionsDialog();
  dialogs_->onModal = [&](Fl_Window&) {
    dialog.show();
    dialog.PasswordBox().take_focus();
    dialog.PasswordBox().value("secret");
    test::Key(dialog, FL_Escape);
    EXPECT_FALSE(dialog.shown());
  };
  window_->Image_keyClick();
  EXPECT_TRUE(window_->Locked());
}

TEST_F(PictureViewUi, ButtonsWithAnEmptyStripDoNothingHarmful) {
  OpenArchive(test::MakeTestArchive(dir_, "", ""));
  int modals = 0;
  dialogs_->onModal = [&](Fl_Window&) { ++modals; };
  window_->SB_DSCClick();
  EXPECT_EQ(window_->CurrentPanel(), TFmain::Panel::Main);
  window_->SB_prntClick();
  EXPECT_EQ(modals, 0);
  // Nothing to show larger: the window stays as it is.
  for (auto show : {&TFmain::SB_FSClick, &TFmain::SB_realSizeClick}) {
    (window_.get()->*show)();
    test::Settle();
    EXPECT_EQ(window_->CurrentPanel(), TFmain::Panel::Main);
    EXPECT_FALSE(window_->fullscreen_active());
  }
  EXPECT_EQ(modals, 0);
}

}  // namespace
}  // namespace vx::viewer
