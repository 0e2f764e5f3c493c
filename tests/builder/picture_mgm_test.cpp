#include "picture_mgm.h"

#include <FL/Fl.H>

#include "builder/builder_test.h"
#include "picture/grab_rectangle.h"
#include "picture/resample.h"
#include "support/png_output.h"

namespace vx::builder {
namespace {

// A picture whose every pixel differs from its neighbours, so turns and copies show.
Bitmap Gradient(int width, int height) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.SetPixel(x, y, static_cast<Color>((x & 0xFF) | (y & 0xFF) << 8 | 0x400000));
  return picture;
}

class PictureMgm : public test::BuilderTest {
 protected:
  // Opens the dialog on the picture; the script acts on it and closes it with Ok or Cancel.
  bool Manage(const std::function<void()>& act, bool ok) {
    dialogs_->onModal = [&](Fl_Window& window) {
      if (&window != &dialog_) return;
      act();
      test::ClickOn(ok ? dialog_.btn_ok() : dialog_.btn_cancel());
    };
    return dialog_.ManagePicture(picture_, icon_, "Make the Icon");
  }
  // The grab rectangle over the picture, in its own coordinates at the dialog's scale.
  void PlaceGrab(int left, int top, int size) {
    test::ClickOn(dialog_.SB_make_tn());
    const int x = dialog_.Image1().x() + left, y = dialog_.Image1().y() + top;
    dialog_.Shape_catch().resize(x, y, size, size);
  }
  // Clicks inside the scale dialog, moved to the percentage, then Ok or Cancel.
  void ScaleTo(int percent, bool ok) {
    auto outer = dialogs_->onModal;
    dialogs_->onModal = [&, percent, ok](Fl_Window& window) {
      TD_scale_image& scale = dialog_.ScaleDialog();
      ASSERT_EQ(&window, &scale);
      scale.TrB1().value(percent);
      scale.TrB1().do_callback();
      test::ClickOn(ok ? scale.OkButton() : scale.CancelButton());
    };
    test::ClickOn(dialog_.btn_scale());
    dialogs_->onModal = outer;
  }

  // Ctrl+C, seen by the dialog whichever control has the focus.
  void CtrlC() {
    Fl::e_keysym = 'c';
    Fl::e_text = const_cast<char*>("\3");
    Fl::e_length = 1;
    Fl::e_state = FL_CTRL;
    Fl::handle(FL_KEYDOWN, &dialog_);
    Fl::e_state = 0;
    test::Settle();
  }

  TF_picture_mgm dialog_;
  Bitmap picture_ = Gradient(64, 48);
  Bitmap icon_;
};

TEST_F(PictureMgm, OkRightAfterOpeningAnswersFalseAndLeavesTheIconEmpty) {
  EXPECT_FALSE(Manage([] {}, true));
  EXPECT_TRUE(icon_.Empty());
  EXPECT_EQ(picture_, Gradient(64, 48));
  EXPECT_STREQ(dialog_.label(), "Make the Icon");
  EXPECT_FALSE(dialog_.Shape_catch().visible());
  EXPECT_FALSE(dialog_.SB_apply_th().active());
}

TEST_F(PictureMgm, RotationSwapsTheSidesAndFourTurnsGiveThePictureBack) {
  picture_ = Gradient(640, 480);
  EXPECT_TRUE(Manage(
      [&] {
        test::ClickOn(dialog_.SB_r_r());
        EXPECT_EQ(dialog_.Image1().RealSize(), (Size{480, 640}));
        EXPECT_EQ(dialog_.Image1().w(), 480);
        for (int i = 0; i < 3; ++i) test::ClickOn(dialog_.SB_r_r());
        EXPECT_EQ(dialog_.Image1().Picture(), Gradient(640, 480));
        test::ClickOn(dialog_.SB_r_l());
      },
      true));
  EXPECT_EQ(picture_, RotateLeft(Gradient(640, 480)));
  // Cancel leaves both as they were.
  const Bitmap before = picture_;
  EXPECT_FALSE(Manage([&] { test::ClickOn(dialog_.SB_r_l()); }, false));
  EXPECT_EQ(picture_, before);
  EXPECT_TRUE(icon_.Empty());
}

TEST_F(PictureMgm, ApplyReducesTheGrabbedPartToTheIcon) {
  EXPECT_TRUE(Manage(
      [&] {
        PlaceGrab(8, 4, 32);
        EXPECT_TRUE(dialog_.SB_make_tn().value());
        EXPECT_TRUE(dialog_.SB_apply_th().active());
        test::SaveWindowPng(dialog_, "picture_mgm_grab.png");
        test::ClickOn(dialog_.SB_apply_th());
        EXPECT_FALSE(dialog_.Shape_catch().visible());
        EXPECT_FALSE(dialog_.SB_make_tn().value());
        EXPECT_FALSE(dialog_.SB_apply_th().active());
      },
      true));
  EXPECT_EQ(icon_, GrabIcon(Gradient(64, 48), {8, 4, 40, 36}, {32, 32}));
}

TEST_F(PictureMgm, AtHalfScaleTheGrabCoversTwiceItsSizeInPicturePixels) {
  EXPECT_TRUE(Manage(
      [&] {
        ScaleTo(50, true);
        EXPECT_EQ(dialog_.Scale(), 50);
        EXPECT_EQ(dialog_.Image1().w(), 32);
        EXPECT_EQ(dialog_.Image1().h(), 24);
        PlaceGrab(-4, -4, 32);  // (10, 10) over a picture at (14, 14)
        test::ClickOn(dialog_.SB_apply_th());
      },
      true));
  EXPECT_EQ(icon_, GrabIcon(Gradient(64, 48), {-8, -8, 56, 56}, {32, 32}));
}

TEST_F(PictureMgm, ScaleDialogCancelShowsTheRealSizeAgain) {
  Manage(
      [&] {
        ScaleTo(160, false);
        EXPECT_EQ(dialog_.Scale(), 100);
        EXPECT_FALSE(dialog_.Image1().Stretched());
        EXPECT_EQ(dialog_.Image1().w(), 64);
        ScaleTo(160, true);
        EXPECT_STREQ(dialog_.ScaleDialog().Label_scale(), "160");
        EXPECT_EQ(dialog_.Image1().w(), 102);  // 102.4
      },
      false);
}

TEST_F(PictureMgm, TheGrabRectangleFollowsTheMouse) {
  Manage(
      [&] {
        PlaceGrab(10, 10, 40);
        Fl_Widget& shape = dialog_.Shape_catch();
        const int x = shape.x(), y = shape.y();
        // Dragged by its middle.
        test::DragTo(dialog_, x + 20, y + 20, x + 30, y + 25);
        EXPECT_EQ(shape.x(), x + 10);
        EXPECT_EQ(shape.y(), y + 5);
        // Its bottom-right corner pulled up past the top-left: the smallest size.
        test::DragTo(dialog_, shape.x() + 39, shape.y() + 39, shape.x() + 3, shape.y() + 3);
        EXPECT_EQ(shape.w(), 8);
        EXPECT_EQ(shape.h(), 8);
        // The pop-up menu's last item: the system's icon size.
        dialogs_->menuChoice = 2;
        test::Press(dialog_, shape.x() + 4, shape.y() + 4, FL_RIGHT_MOUSE);
        test::Release(dialog_, shape.x() + 4, shape.y() + 4, FL_RIGHT_MOUSE);
        ASSERT_EQ(dialogs_->menus.size(), 1u);
        EXPECT_EQ(dialogs_->menus[0],
                  (std::vector<std::string>{"Set Width Equal to Heigh", "Set Heigh Equal to Width",
                                            "Set Standard Icon Size"}));
        EXPECT_EQ(shape.w(), 32);
        EXPECT_EQ(shape.h(), 32);
      },
      false);
}

TEST_F(PictureMgm, PasteTakesTheClipboardsPictureAtRealSize) {
  Manage(
      [&] {
        // Text is no picture; the clipboard needs the display the shown dialog opened.
        dialog_.show();
        test::Settle();
        Fl::copy("some text", 9, 1);
        test::ClickOn(dialog_.btn_paste());
        EXPECT_EQ(dialogs_->messages,
                  std::vector<std::string>{"Sorry, can't paste clipboard content as a picture."});
        EXPECT_TRUE(dialogs_->questions.empty());
      },
      false);
  // Ctrl+C anywhere in the dialog copies its picture.
  picture_ = Gradient(20, 10);
  Manage([&] { CtrlC(); }, false);

  picture_ = Gradient(64, 48);
  dialogs_->answers = {false, true};
  EXPECT_TRUE(Manage(
      [&] {
        ScaleTo(50, true);
        test::ClickOn(dialog_.btn_paste());  // No
        EXPECT_EQ(dialog_.Image1().Picture(), Gradient(64, 48));
        test::ClickOn(dialog_.btn_paste());  // Yes
        test::Settle();
        EXPECT_EQ(dialog_.Scale(), 100);
        EXPECT_FALSE(dialog_.Image1().Stretched());
        EXPECT_EQ(dialog_.Image1().w(), 20);
      },
      true));
  EXPECT_EQ(dialogs_->questions,
            (std::vector<std::string>{"Paste from clipboard ?", "Paste from clipboard ?"}));
  EXPECT_EQ(picture_, Gradient(20, 10));
}

}  // namespace
}  // namespace vx::builder
