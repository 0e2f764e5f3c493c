// The description panel and the filter in the viewer's window, on archives made by the maker.
#include "platform/desktop.h"
#include "support/test_archive.h"
#include "support/ui_events.h"
#include "support/viewer_window_test.h"

namespace vx::viewer {
namespace {

// Frame i: description, three fields, a cloud.
std::string Details(int i) {
  const char* colours[] = {"red", "Red", "blue", "green"};
  return std::string("<FLDS>Picture ") + std::to_string(i) +
         (i == 1 ? " from the party" : " of the street") +
         "\r\nSecond line<FLD FNAME=Colour VAL=" + colours[i % 4] +
         "/><FLD FNAME=Place VAL=\"office@town\"/>"
         "<FLD FNAME=Year VAL=2026/></FLDS><PNTRS><CLD XR=0.5 YR=0.5 ARRTXT=\"Tower " +
         std::to_string(i) + "\"/></PNTRS>";
}

class DescriptionAndFilter : public test::ViewerWindowTest {
 protected:
  void Open(const std::string& frames) { OpenArchive(test::MakeTestArchive(dir_, "", frames)); }
  std::vector<std::string> TileIds() {
    std::vector<std::string> ids;
    for (int i = 0; i < window_->Strip().TileCount(); ++i)
      ids.push_back(window_->Strip().TileAt(i)->Id);
    return ids;
  }
};

TEST(DescriptionLayout, RowsAndFittedPicture) {
  EXPECT_EQ(FieldRowTop(0), 8);
  EXPECT_EQ(FieldRowTop(1), 26);
  EXPECT_EQ(FieldRowTop(2), 44);
  EXPECT_EQ(DescriptionThumbnailRect({189, 189}, {400, 200}), (Rect{4, 49, 185, 139}));
  EXPECT_EQ(DescriptionThumbnailRect({8, 28}, {400, 200}), (Rect{3, 13, 4, 14}));  // no box: 1 x 1
}

TEST_F(DescriptionAndFilter, DescriptionPanelShowsTheFrame) {
  Open(test::SampleFrames(dir_, 2, {400, 200}, Details));
  window_->SB_DSCClick();
  ASSERT_EQ(window_->CurrentPanel(), TFmain::Panel::Description);
  TO_framedsc& panel = window_->DescriptionPanel();
  EXPECT_EQ(panel.Caption(), "p0");
  EXPECT_EQ(panel.DescriptionText(), "Picture 0 of the street\nSecond line");
  ASSERT_EQ(panel.FieldRowCount(), 3);
  EXPECT_EQ(panel.NameLabel(2).y() - panel.NameLabel(0).y(), 36);
  EXPECT_STREQ(panel.ValueLabel(0).label(), "red");
  EXPECT_STREQ(panel.ValueLabel(1).label(), "office@@town");  // FLTK shows "@@" as one "@"
  EXPECT_EQ(panel.NameLabel(1).w(), 200);
  EXPECT_EQ(panel.ThumbnailRect(), (Rect{4, 49, 185, 139}));
  const int valueWidth = panel.ValueLabel(0).w();
  window_->size(1200, 700);
  test::Settle();
  EXPECT_EQ(panel.ValueLabel(0).w(), valueWidth + 200);
  EXPECT_EQ(panel.NameLabel(0).w(), 200);
  test::SaveWindowPng(*window_, "viewer-description.png");

  panel.CloseButton().do_callback();
  EXPECT_EQ(window_->CurrentPanel(), TFmain::Panel::Main);

  // Another frame replaces every row; Escape goes back too.
  window_->Strip().SelectTile(window_->Strip().TileAt(1));
  window_->SB_DSCClick();
  EXPECT_EQ(panel.Caption(), "p1");
  EXPECT_EQ(panel.FieldRowCount(), 3);
  EXPECT_STREQ(panel.ValueLabel(0).label(), "Red");
  test::Key(*window_, FL_Escape);
  EXPECT_EQ(window_->CurrentPanel(), TFmain::Panel::Main);
}

// The bar's 16 x 16 globe opens the maker's page like the credit line; where nothing can
// open web pages the user is told, with the address.
TEST_F(DescriptionAndFilter, LinkIconOpensTheMakersPageOrSaysWhyNot) {
  Open(test::SampleFrames(dir_, 1, {400, 200}, Details));
  window_->SB_DSCClick();
  Fl_Widget& icon = window_->DescriptionPanel().LinkIcon();
  EXPECT_EQ(icon.w(), Scaled(16));
  EXPECT_TRUE(icon.visible_r());
  std::vector<std::string> opened;
  auto previous = InstallDesktopOpener([&](const std::string& address) {
    opened.push_back(address);
    return true;
  });
  test::Click(*window_, icon.x() + icon.w() / 2, icon.y() + icon.h() / 2);
  EXPECT_EQ(opened, std::vector<std::string>{"http://www.vellumax.com"});
  EXPECT_TRUE(dialogs_->messages.empty());
  InstallDesktopOpener([](const std::string&) { return false; });
  test::Click(*window_, icon.x() + icon.w() / 2, icon.y() + icon.h() / 2);
  ASSERT_EQ(dialogs_->messages.size(), 1u);
  EXPECT_NE(dialogs_->messages[0].find("http://www.vellumax.com"), std::string::npos);
  InstallDesktopOpener(std::move(previous));
}

TEST_F(DescriptionAndFilter, ApplyResetAndCancel) {
  Open(test::SampleFrames(dir_, 4, {64, 48}, Details));
  ASSERT_TRUE(window_->FilterButton().active());
  ASSERT_TRUE(window_->PointersButton().active());
  TD_filter& filter = window_->FilterDialog();
  auto press = [&](const std::function<void()>& action) {
    dialogs_->onModal = [action](Fl_Window&) { action(); };
    window_->FilterButton().value(!window_->FilterButton().value());  // a click flips the toggle
    window_->SB_filterClick();
    WaitUntilIdle();
  };

  // Two frames spell the value differently; one entry, both pass.
  press([&] {
    filter.SelectCriterion("2:Colour");
    filter.SetChecked("Red", true);
    filter.SB_filterClick();
  });
  EXPECT_EQ(TileIds(), (std::vector<std::string>{"F0", "F1"}));
  EXPECT_EQ(window_->FilterButton().value(), 1);
  EXPECT_EQ(window_->ThumbnailsDecoded(), 0);  // thumbnails come from the cache

  press([&] { filter.SB_cancelClick(); });
  EXPECT_EQ(TileIds(), (std::vector<std::string>{"F0", "F1"}));
  EXPECT_EQ(window_->FilterButton().value(), 1);

  press([&] {
    filter.SelectCriterion("0:DESCRIPTION");  // a new criterion starts without ticks
    filter.SB_filterClick();
  });
  EXPECT_TRUE(TileIds().empty());

  press([&] { filter.SB_resetClick(); });
  EXPECT_EQ(TileIds(), (std::vector<std::string>{"F0", "F1", "F2", "F3"}));
  EXPECT_EQ(window_->FilterButton().value(), 0);

  press([&] {
    filter.SetChecked("PARTY", true);
    filter.SB_filterClick();
  });
  EXPECT_EQ(TileIds(), std::vector<std::string>{"F1"});
  window_->show();
  dialogs_->onModal = {};
  test::SaveWindowPng(*window_, "viewer-filtered.png");
}

TEST_F(DescriptionAndFilter, NothingToFilterByLeavesTheButtonOff) {
  Open(test::SampleFrames(dir_, 2, {64, 48}));
  EXPECT_FALSE(window_->FilterButton().active());
  EXPECT_FALSE(window_->PointersButton().active());
}

TEST_F(DescriptionAndFilter, DialogScreenshot) {
  Open(test::SampleFrames(dir_, 4, {64, 48}, Details));
  TD_filter& filter = window_->FilterDialog();
  filter.SelectCriterion("2:Colour");
  filter.SetChecked("blue", true);
  filter.show();
  test::SaveWindowPng(filter, "viewer-filter-dialog.png");
  filter.hide();
}

}  // namespace
}  // namespace vx::viewer
