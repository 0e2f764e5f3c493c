#include "icon_choicer.h"

#include <FL/Fl_Double_Window.H>

#include "builder/builder_test.h"
#include "document/conversions.h"
#include "picture/bmp_codec.h"
#include "picture/icon.h"
#include "platform/files.h"
#include "support/png_output.h"
#include "ui/scaled_layout.h"

namespace vx::builder {
namespace {

class IconChoicer : public test::BuilderTest {
 protected:
  IconChoicer() : window_(TO_icon_choicer::kWidth + 20, TO_icon_choicer::kHeight + 20) {
    chooser_ = new TO_icon_choicer(10, 10);
    window_.end();
    ui::ScaleWidgetTree(window_);
  }
  // An icon file of a 16 and a 48 pixel image, red and green.
  std::string TwoImageIcon() {
    return dir_.Write("two.ico",
                      EncodeIco({{16, 16, 32, std::vector<std::uint32_t>(256, 0xFFFF0000)},
                                 {48, 48, 32, std::vector<std::uint32_t>(48 * 48, 0xFF00FF00)}}));
  }
  Fl_RGB_Image* Shown() { return static_cast<Fl_RGB_Image*>(chooser_->Image1().image()); }

  Fl_Double_Window window_;
  TO_icon_choicer* chooser_;
};

TEST_F(IconChoicer, StartsWithTheDefaultIconWhichStoresNothing) {
  EXPECT_TRUE(chooser_->DefaultIcon());
  EXPECT_EQ(chooser_->IconFile(), DefaultIconFile());
  EXPECT_EQ(chooser_->GetIconText(), "");
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->w(), kSystemIconSize);
  EXPECT_STREQ(chooser_->SB_default_icon().label(), "Default Icon");
  EXPECT_STREQ(chooser_->SB_load_icon().label(), "Load Icon from File");
  EXPECT_STREQ(chooser_->SB_make_icon().label(), "Make Icon from Graphic");
  window_.show();
  test::Settle();
  test::SaveWindowPng(window_, "icon_choicer_default.png");
}

TEST_F(IconChoicer, LoadsAChosenFileWholeAndTheDefaultButtonGoesBack) {
  const std::string path = TwoImageIcon();
  dialogs_->filesToOpen = {path};
  test::ClickOn(chooser_->SB_load_icon());
  ASSERT_EQ(dialogs_->openChoices.size(), 1u);
  EXPECT_EQ(dialogs_->openChoices[0].filter, "Icons (*.ico)\t*.ico");
  EXPECT_FALSE(dialogs_->openChoices[0].multiple);
  EXPECT_FALSE(chooser_->DefaultIcon());
  EXPECT_EQ(chooser_->IconFile(), ReadWholeFile(path));  // all images kept
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->w(), kSystemIconSize);  // the 48-pixel image, reduced
  // The project keeps the 32-pixel colour image.
  const Bitmap stored = DecodeBmp(HexDecode(chooser_->GetIconText()));
  EXPECT_EQ(stored.Width(), kSystemIconSize);
  EXPECT_EQ(stored.Pixel(10, 10), 0x00FF00u);
  test::SaveWindowPng(window_, "icon_choicer_loaded.png");

  test::ClickOn(chooser_->SB_default_icon());
  EXPECT_TRUE(chooser_->DefaultIcon());
  EXPECT_EQ(chooser_->GetIconText(), "");
}

TEST_F(IconChoicer, RefusedFilesAndCancelKeepTheShownIcon) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    const char* message;
  };
  const std::string big = dir_ / "big.ico";
  dir_.Write("big.ico", "");
  std::filesystem::resize_file(big, kMaxIconFileBytes + 1);
  const Case cases[] = {
      {"cancelled", {}, nullptr},
      {"too large", {big}, "Icon file is too large"},
      {"not an icon",
       {dir_.Write("exe.ico", std::string("MZ\x90\0\3\0\0\0", 8))},
       "Icon file is invalid"},
  };
  chooser_->MakeIconFromBitmap(Bitmap(4, 4));
  const std::string before = chooser_->IconFile();
  for (const Case& c : cases) {
    dialogs_->messages.clear();
    dialogs_->filesToOpen = c.files;
    chooser_->SB_load_iconClick();
    EXPECT_EQ(chooser_->IconFile(), before) << c.what;
    EXPECT_FALSE(chooser_->DefaultIcon()) << c.what;
    if (c.message) {
      EXPECT_EQ(dialogs_->messages, std::vector<std::string>{c.message}) << c.what;
    } else {
      EXPECT_TRUE(dialogs_->messages.empty()) << c.what;
    }
  }
}

TEST_F(IconChoicer, AnIconWithoutAReadablePictureStoresNothingAndSaysSo) {
  dialogs_->filesToOpen = {dir_.Write("none.ico", std::string("\0\0\1\0\0\0", 6))};
  chooser_->SB_load_iconClick();
  EXPECT_FALSE(chooser_->DefaultIcon());
  EXPECT_EQ(chooser_->Image1().image(), nullptr);
  EXPECT_EQ(chooser_->GetIconText(), "");
  EXPECT_EQ(dialogs_->messages, std::vector<std::string>{"Wrong IconInfo Structure"});
}

TEST_F(IconChoicer, IconTextsAndPicturesMakeIcons) {
  Bitmap picture(64, 64);
  picture.Fill(0x2040A0);
  chooser_->MakeIconFromBitmap(picture);
  EXPECT_FALSE(chooser_->DefaultIcon());
  const std::string text = chooser_->GetIconText();
  EXPECT_EQ(DecodeBmp(HexDecode(text)).Pixel(31, 31), 0x2040A0u);

  chooser_->SetIconText("  ");
  EXPECT_TRUE(chooser_->DefaultIcon());
  chooser_->SetIconText(text);
  EXPECT_FALSE(chooser_->DefaultIcon());
  EXPECT_EQ(chooser_->IconFile(), IconFromBitmap(picture));
  EXPECT_THROW(chooser_->SetIconText("00FF"), std::runtime_error);
  EXPECT_EQ(chooser_->IconFile(), IconFromBitmap(picture));  // a failure changes nothing
}

TEST_F(IconChoicer, MakeIconFromGraphicIsLeftToItsOwner) {
  int asked = 0;
  chooser_->OnMakeIcon([&] { ++asked; });
  test::ClickOn(chooser_->SB_make_icon());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(chooser_->DefaultIcon());
}

}  // namespace
}  // namespace vx::builder
