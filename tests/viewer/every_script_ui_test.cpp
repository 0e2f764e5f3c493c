// The viewer's texts in every script, on an archive made by the maker: the description, a
// field value, a filter item and a pointer label with letters the interface font lacks are
// drawn from the machine's other fonts once the programs' fallback is installed.
#include "support/test_archive.h"
#include "support/viewer_window_test.h"
#include "ui/font_fallback_driver.h"

namespace vx::viewer {
namespace {

constexpr const char* kEveryScript = "Vellumax Привет 中文 日本語かな 한국어 مرحبا 🎉";

class EveryScript : public test::ViewerWindowTest {};

TEST_F(EveryScript, DescriptionFieldFilterItemAndPointerLabelUseOtherFonts) {
  const std::string text = kEveryScript;
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 1, {400, 200}, [&](int) {
                                      return "<FLDS>" + text + "<FLD FNAME=Greeting VAL=\"" + text +
                                             "\"/></FLDS><PNTRS><CLD XR=0.5 YR=0.5 ARRTXT=\"" +
                                             text + "\"/></PNTRS>";
                                    })));
  window_->SB_DSCClick();
  TO_framedsc& panel = window_->DescriptionPanel();
  ASSERT_EQ(panel.FieldRowCount(), 1);
  EXPECT_EQ(panel.DescriptionText(), text);
  TD_filter& filter = window_->FilterDialog();
  filter.SelectCriterion("2:Greeting");
  filter.show();
  ASSERT_EQ(filter.Values().nitems(), 1);
  EXPECT_STREQ(filter.Values().text(1), kEveryScript);

  // The panel (description and field value) and the filter's list, by the toolkit alone and
  // then with the fallback: the letters it drew as boxes are drawn anew.
  const auto draw = [&] {
    return std::vector<Bitmap>{DrawWidget(*window_, panel), DrawWidget(filter, filter.Values())};
  };
  const std::vector<Bitmap> alone = draw();
  ui::UseFontFallback();
  const std::vector<Bitmap> withFallback = draw();
  EXPECT_FALSE(alone[0] == withFallback[0]) << "description panel";
  EXPECT_FALSE(alone[1] == withFallback[1]) << "filter item";
  test::SaveWindowPng(*window_, "viewer-description-every-script.png");
  test::SaveWindowPng(filter, "viewer-filter-every-script.png");
  filter.hide();

  window_->ShowPanel(TFmain::Panel::Main);
  window_->PointersButton().value(1);
  window_->PointersButton().do_callback();
  ASSERT_TRUE(WaitUntilIdle());
  test::SaveWindowPng(*window_, "viewer-pointer-every-script.png");
}

}  // namespace
}  // namespace vx::viewer
