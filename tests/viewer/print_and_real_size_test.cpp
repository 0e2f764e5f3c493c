// Printing and the real-size view: their arithmetic, and both in the viewer's window.
#include "print_layout.h"
#include "real_size_view.h"
#include "support/test_archive.h"
#include "support/ui_events.h"
#include "support/viewer_window_test.h"

namespace vx::viewer {
namespace {

namespace fs = std::filesystem;

TEST(PrintLayout, PreviewFitAndPlace) {
  const ui::PageSetup portrait{4800, 6600, false};
  EXPECT_EQ(PreviewSize(portrait), (Size{160, 220}));
  EXPECT_EQ(PreviewSize({6600, 4800, true}), (Size{220, 160}));
  EXPECT_EQ(PrintDialogSize({160, 220}), (Size{24 + 160 + 121 + 32, 24 + 220 + 32}));
  EXPECT_EQ(FitToPage({1000, 500}, portrait), (Size{4770, 2385}));
  EXPECT_EQ(PlaceOnPage({4770, 2385}, portrait), (Point{15, 2107}));
  EXPECT_TRUE(FitsOnPage({4800, 6600}, portrait));
  EXPECT_FALSE(FitsOnPage({4801, 10}, portrait));
  // The preview shows the sheet; the picture sits in the printable area inside its margins.
  const ui::PageSetup sheet{4000, 6000, false, {4800, 6800}, {400, 400}};
  EXPECT_EQ(PreviewSize(sheet), (Size{160, 226}));
  EXPECT_EQ(PlaceOnPage({2000, 1000}, sheet), (Point{1000, 2500}));
  EXPECT_EQ(PreviewPicture({2000, 1000}, sheet, {160, 226}),
            (Rect{24 + 47, 24 + 96, 24 + 113, 24 + 130}));
  EXPECT_EQ(PreviewPicture({1, 1}, sheet, {160, 226}).Width(), 1) << "always visible";
}

TEST(RealSizeLayout, FitToScreenAndPlace) {
  EXPECT_EQ(FitToScreen({3200, 2400}, {1280, 1024}), (Size{1270, 952}));
  EXPECT_EQ(RealSizePlace({300, 200}, {1280, 1024}), (Point{490, 412}));
  EXPECT_EQ(RealSizePlace({3000, 200}, {1280, 1024}), (Point{5, 412}));
}

TEST(PostScript, APageWithThePicture) {
  Bitmap picture(300, 200);
  picture.Fill(0x3366CC);
  const std::string text = ui::PostScriptPage(ui::Paper::A4, false, picture, {100, 100});
  EXPECT_TRUE(text.starts_with("%!PS")) << text.substr(0, 20);
  EXPECT_NE(text.find("showpage"), std::string::npos);
}

class PrintAndRealSize : public test::ViewerWindowTest {
 protected:
  // An archive of one picture of the given size.
  void Open(Size picture) {
    fs::create_directories(dir_.Path() / "pics");
    WriteFileAtomically(dir_ / "pics/big.jpg",
                        *EncodeJpeg(MakeSamplePicture(picture.width, picture.height, 3), 80));
    OpenArchive(test::MakeTestArchive(
        dir_, "", "<FRAME FRAME_ID=F0 SRC_FILE=\"" + dir_ / "pics/big.jpg" + "\"/>"));
  }
};

TEST_F(PrintAndRealSize, PrintsFittedOrOriginalAndFollowsTheSetup) {
  Open({1000, 500});
  TF_prnt& dialog = window_->PrintDialog();
  test::RecordingPrinter& printer = dialogs_->printer;
  dialogs_->onModal = [&](Fl_Window&) {
    EXPECT_EQ(dialog.Preview(), (Size{160, 220}));
    EXPECT_TRUE(dialog.ScaleChoiceVisible());
    EXPECT_FALSE(dialog.FitToPageChosen());
    EXPECT_EQ(dialog.PrintBitmap().Width(), 1000);
    dialog.ChooseFitToPage(true);  // recomputed at once
    EXPECT_EQ(dialog.PrintBitmap().Width(), 4770);
    EXPECT_EQ(dialog.PrintBitmap().Height(), 2385);
    printer.onSetup = [](ui::PageSetup& page) { page = {6600, 4800, true}; };
    dialog.SB_setupClick();
    EXPECT_EQ(dialog.Preview(), (Size{220, 160}));
    EXPECT_EQ(dialog.w(), 24 + 220 + 121 + 32);
    dialog.show();
    test::SaveWindowPng(dialog, "viewer-print.png");
    dialog.SB_printClick();
  };
  window_->SB_prntClick();
  ASSERT_EQ(printer.pages, 1);
  EXPECT_EQ(printer.printed.Width(), FitToPage({1000, 500}, {6600, 4800, true}).width);
  EXPECT_EQ(printer.printedAt,
            PlaceOnPage({printer.printed.Width(), printer.printed.Height()}, {6600, 4800, true}));
}

TEST_F(PrintAndRealSize, APictureLargerThanThePageIsFitted) {
  Open({1000, 500});
  dialogs_->printer.page = {800, 1100, false};
  TF_prnt& dialog = window_->PrintDialog();
  dialogs_->onModal = [&](Fl_Window&) {
    EXPECT_FALSE(dialog.ScaleChoiceVisible());
    EXPECT_TRUE(dialog.FitToPageChosen());
    EXPECT_EQ(dialog.PrintBitmap().Width(), 770);
    dialogs_->printer.fail = true;  // a failed print closes the dialog and says so
    dialog.SB_printClick();
  };
  window_->SB_prntClick();
  EXPECT_EQ(dialogs_->printer.pages, 1);
  EXPECT_EQ(dialogs_->messages, std::vector<std::string>{"The picture was not printed."});
  EXPECT_FALSE(dialog.shown());
}

TEST_F(PrintAndRealSize, FitToScreenRealSizeDoubleClickAndBack) {
  Open({Fl::w() * 5 / 2, Fl::h() * 5 / 2});
  TO_real_size_view& view = window_->RealSizeView();
  window_->SB_FSClick();
  test::Settle();
  ASSERT_EQ(window_->CurrentPanel(), TFmain::Panel::RealSize);
  EXPECT_TRUE(window_->fullscreen_active());
  EXPECT_FALSE(window_->FilterButton().visible_r());
  const Size fitted = FitToScreen({Fl::w() * 5 / 2, Fl::h() * 5 / 2}, {Fl::w(), Fl::h()});
  EXPECT_EQ(view.PictureRect().Width(), fitted.width);
  EXPECT_EQ(view.PictureRect().left, (view.w() - fitted.width) / 2);
  test::SaveWindowPng(*window_, "viewer-fit-to-screen.png");

  // A double click shows the real size from (5, 5); a drag pans it.
  Fl::e_clicks = 1;
  test::MoveMouse(*window_, 300, 300);
  Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
  Fl::handle(FL_PUSH, window_.get());
  Fl::handle(FL_RELEASE, window_.get());
  Fl::e_clicks = 0;
  EXPECT_FALSE(view.FitMode());
  EXPECT_EQ(view.PictureRect().left, 5);
  test::DragTo(*window_, 500, 500, 400, 450);
  EXPECT_EQ(view.ScrollPosition(), (Point{100, 50}));

  test::Press(*window_, 300, 300, FL_RIGHT_MOUSE);
  test::Release(*window_, 300, 300, FL_RIGHT_MOUSE);
  EXPECT_EQ(window_->CurrentPanel(), TFmain::Panel::Main);
  test::Settle();
  EXPECT_FALSE(window_->fullscreen_active());

  window_->SB_realSizeClick();
  test::Key(*window_, FL_Escape);
  EXPECT_EQ(window_->CurrentPanel(), TFmain::Panel::Main);
}

TEST_F(PrintAndRealSize, SmallPicturesStayAtRealSizeEvenWhenFitted) {
  Open({300, 200});
  window_->SB_FSClick();
  test::Settle();
  const TO_real_size_view& view = window_->RealSizeView();
  EXPECT_FALSE(view.FitMode());
  EXPECT_EQ(view.PictureRect().Width(), 300);
  EXPECT_EQ(view.PictureRect().left, (view.w() - 300) / 2);
}

}  // namespace
}  // namespace vx::viewer
