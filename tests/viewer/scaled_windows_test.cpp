// The viewer's windows at the desktop's scale. This program runs once per factor (VX_SCALE):
// every size given at 96 dpi is multiplied by it, every widget stays inside its window, no
// text is cut by its widget, and pictures keep their own pixels.
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "platform/ui_scale.h"
#include "support/layout_check.h"
#include "support/test_archive.h"
#include "support/ui_events.h"
#include "support/viewer_window_test.h"
#include "ui/scaled_layout.h"

namespace vx::viewer {
namespace {

std::string FactorName() {
  std::ostringstream name;
  name << ScaleFactor();
  return name.str();
}

// Within a pixel of the 96-dpi size times the factor (edges are rounded, not sizes).
void ExpectScaled(int actual, int at96, const char* what) {
  EXPECT_LE(std::abs(actual - at96 * ScaleFactor()), 1.0) << what << " at 96 dpi: " << at96;
}

// Frame i: description, three fields, a cloud and an arrow.
std::string Details(int i) {
  return "<FLDS>Picture " + std::to_string(i) +
         " of the street\r\nSecond line<FLD FNAME=Colour VAL=red/>"
         "<FLD FNAME=Place VAL=\"office@town\"/><FLD FNAME=Year VAL=2026/></FLDS>"
         "<PNTRS><CLD XR=0.5 YR=0.5 ARRTXT=\"Tower\"/>"
         "<ARR XR=0.2 YR=0.2 ARRTXT=Gate/></PNTRS>";
}

TEST(LayoutCheck, SeesCutTextAndWidgetsBeyondTheWindow) {
  Fl_Double_Window window(200, 100);
  new Fl_Button(10, 10, 30, 25, "A caption far too long");
  new Fl_Box(190, 10, 20, 20);
  new Fl_Button(10, 50, 150, 25, "Fits");
  window.end();
  window.show();
  test::Settle();
  EXPECT_EQ(test::LayoutFaults(window).size(), 2u)
      << testing::PrintToString(test::LayoutFaults(window));
  window.hide();
}

class ScaledViewer : public test::ViewerWindowTest {
 protected:
  void SetUp() override {
    ui::ScaleToolkit();
    OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 2, {900, 600}, Details)));
  }
  // The archive's own window, shown, checked and photographed.
  void CheckWindow(Fl_Window& window, const std::string& name) {
    test::Settle();
    const auto faults = test::LayoutFaults(window);
    EXPECT_TRUE(faults.empty()) << name << ":\n" << testing::PrintToString(faults);
    // What lies beyond the screen cannot be read back; make screenshots shows the rest.
    if (window.w() <= Fl::w() && window.h() <= Fl::h())
      test::SaveWindowPng(window, "scaled-" + FactorName() + "-" + name + ".png");
  }
};

TEST_F(ScaledViewer, MainWindowButtonBarAndStrip) {
  EXPECT_EQ(window_->w(), Scaled(1000)) << "the window is as large as asked";
  CheckWindow(*window_, "main");

  // The button bar and its buttons, from the bar's corner.
  const Fl_Widget& pointers = window_->PointersButton();
  const Fl_Group& bar = *pointers.parent();
  ExpectScaled(bar.w(), 699, "bar width");
  ExpectScaled(bar.h(), 40, "bar height");
  ExpectScaled(pointers.x() - bar.x(), 5, "Pointers left");
  ExpectScaled(pointers.w(), 83, "Pointers width");
  ExpectScaled(pointers.h(), 18, "Pointers height");
  ExpectScaled(window_->FilterButton().y() - bar.y(), 17, "Filter top");
  EXPECT_EQ(pointers.labelsize(), Scaled(11));
  ExpectScaled(bar.y() - (window_->h() - Scaled(51)), 5, "bar top in the controls");

  // The strip: its width, tiles, margins and picture boxes.
  ui::TO_img_items& strip = window_->Strip();
  EXPECT_EQ(strip.w(), Scaled(200));
  const ui::TO_img_item& tile = *strip.TileAt(0);
  EXPECT_EQ(tile.TileSize(), Scaled(200) - Scaled(34));
  EXPECT_EQ(tile.x() - strip.x(), Scaled(10));
  EXPECT_EQ(strip.TileAt(1)->y() - tile.y(), tile.TileSize() + Scaled(10));
  const Size box = strip::PictureBox(tile.TileSize(), strip.StripMetrics());
  EXPECT_EQ(tile.ThumbnailSize().width, box.width) << "a landscape picture fills the box's width";
  EXPECT_EQ(window_->View().x() - (strip.x() + strip.w()), Scaled(5)) << "the splitter";
}

TEST_F(ScaledViewer, LensAndRealSizeShowThePicturesOwnPixels) {
  PictureViewModel& model = window_->View().Model();
  EXPECT_EQ(model.LensPicture().Width(), Scaled(200));
  const Rect source = model.LensSource();
  EXPECT_EQ(source.Width(), Scaled(200)) << "one picture pixel per screen pixel in the lens";
  EXPECT_EQ(window_->View().PaintX() - window_->View().x(), Scaled(20));

  window_->SB_realSizeClick();
  test::Settle();
  const Rect shown = window_->RealSizeView().PictureRect();
  EXPECT_EQ(shown.Width(), model.WorkingPicture().Width()) << "real size is 1:1 on the screen";
  EXPECT_EQ(shown.Height(), model.WorkingPicture().Height());
  window_->ShowPanel(TFmain::Panel::Main);
}

TEST_F(ScaledViewer, DescriptionPanel) {
  window_->SB_DSCClick();
  TO_framedsc& panel = window_->DescriptionPanel();
  ASSERT_EQ(panel.FieldRowCount(), 3);
  EXPECT_EQ(panel.NameLabel(0).w(), Scaled(200));
  EXPECT_EQ(panel.NameLabel(1).y() - panel.NameLabel(0).y(), Scaled(26) - Scaled(8));
  EXPECT_EQ(panel.NameLabel(0).labelsize(), Scaled(12));
  CheckWindow(*window_, "description");
  window_->ShowPanel(TFmain::Panel::Main);
}

TEST_F(ScaledViewer, Dialogs) {
  // Each dialog is checked while the script holds it open.
  std::string name;
  dialogs_->onModal = [&](Fl_Window& dialog) {
    dialog.show();
    CheckWindow(dialog, name);
    dialog.hide();
  };
  name = "filter";
  EXPECT_EQ(window_->FilterDialog().w(), Scaled(475));
  window_->FilterDialog().SelectCriterion("2:Place");
  window_->FilterDialog().Execute();
  name = "password";
  window_->ActionsDialog().AskPassword("Buy the password", "www.example.com");
  name = "extraction";
  window_->ActionsDialog().AskExtraction(true);
  name = "print";
  window_->PrintDialog().PrintPicture(window_->View().Model().WorkingPicture());
  EXPECT_EQ(dialogs_->modalRuns, 4);
  const Rect picture = window_->PrintDialog().PreviewPictureRect();
  EXPECT_GE(picture.left, Scaled(24)) << "the picture lies on the scaled sheet";
}

}  // namespace
}  // namespace vx::viewer
