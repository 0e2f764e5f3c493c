#include "project_properties_dialog.h"

#include "builder/builder_test.h"
#include "picture/icon.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "support/layout_check.h"

namespace vx::builder {
namespace {

namespace fs = std::filesystem;
using Page = TF_edit_prj::Page;

// A properties text from its lines, each followed by a line feed.
std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\n";
  return text;
}

class PropertiesDialog : public test::BuilderTest {
 protected:
  // EditText with the script acting on the shown dialog, then "Ok" or "Cancel" clicked.
  bool Edit(std::string& text, const std::function<void()>& act = {}, bool ok = true) {
    dialogs_->onModal = [&](Fl_Window&) {
      if (act) act();
      test::ClickOn(ok ? dialog_.OkButton() : dialog_.CancelButton());
    };
    return dialog_.EditText(text);
  }
  void ClickOn(Fl_Widget& widget) { test::ClickOn(widget); }

  TF_picture_mgm pictures_;
  TF_edit_prj dialog_{pictures_};
};

// A picture of a few colours, so an icon made from it differs from the default one.
Bitmap Stripes() {
  Bitmap bitmap(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) bitmap.SetPixel(x, y, y < 20 ? 0x2040C0u : 0xC08020u);
  return bitmap;
}

TEST_F(PropertiesDialog, LoadsWithFallbacksAndStoresWhatItShows) {
  const std::string run = kExecutableExtension;
  const struct {
    const char* what;
    std::string text;
    int diameter, quality, kind;
    std::string stored;
  } cases[] = {
      {"a whole text as the project has it",
       Lines({"/out/Sea.run", "#008040", "120", "80", "1", "", "", "pw", "Get it", "a.example/pw",
              "compatible"}),
       120, 80, 1,
       Lines({"/out/Sea.zip", "#008040", "120", "80", "1", "", "", "pw", "Get it", "a.example/pw",
              "compatible"})},
      {"diameter 300 shows 250, JPQ abc 65, empty OFT the first kind, empty colour black",
       Lines({"", "", "300", "abc", "", "", "", "", "", ""}), 250, 65, 0,
       Lines({"", "#000000", "250", "65", "0", "", "", "", "", "", ""})},
      {"numbers below the ranges, a kind that does not exist, a lower-case flag",
       Lines({"", "$0080FF", "20", "5", "7", "y", "", "", "", ""}), 50, 10, 0,
       Lines({"", "#FF8000", "50", "10", "0", "", "", "", "", "", ""})},
      {"blanks around the lines go, except that the colour line is read as it is",
       Lines({"  /out/a.exe ", " #FFFFFF", " 60 ", " 100 ", " 2 ", " Y ", "", "  pw  ", " t ",
              " h ", " compatible "}),
       60, 100, 2,
       Lines({"/out/a.zip", "#000000", "60", "100", "2", "Y", "", "pw", "t", "h", "compatible"})},
      {"no protection line, or another word, is strong",
       Lines({"x", "#010203", "250", "10", "0", "", "", "", "", "", "Compatible"}), 250, 10, 0,
       Lines({("x" + run).c_str(), "#010203", "250", "10", "0", "", "", "", "", "", ""})},
      {"a diameter that is no number leaves the one shown (250 from the case before)",
       Lines({"", "", "big", "65", "0"}), 250, 65, 0,
       Lines({"", "#000000", "250", "65", "0", "", "", "", "", "", ""})},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    ASSERT_TRUE(Edit(text, [&] {
      EXPECT_EQ(dialog_.DiameterBar().Position(), c.diameter) << c.what;
      EXPECT_EQ(std::string(dialog_.DiameterLabel()), std::to_string(c.diameter)) << c.what;
      EXPECT_EQ(dialog_.QualityBar().Position(), c.quality) << c.what;
      EXPECT_EQ(dialog_.OutputKind(), c.kind) << c.what;
    })) << c.what;
    EXPECT_EQ(text, c.stored) << c.what;
  }
}

TEST_F(PropertiesDialog, CancelLeavesTheTextAsItWasEvenAfterEdits) {
  const std::string original = Lines({"/out/a.run", "#008040", "120", "80", "0", "", "", "pw"});
  std::string text = original;
  dialogs_->color = 0x0000FF;
  EXPECT_FALSE(Edit(
      text,
      [&] {
        dialog_.PasswordEdit().value("other");
        ClickOn(dialog_.KindButton(2));
        dialog_.SB_MGcolorClick();
      },
      false));
  EXPECT_EQ(text, original);
  // The close button cancels too.
  dialogs_->onModal = [&](Fl_Window&) { dialog_.do_callback(); };
  EXPECT_FALSE(dialog_.EditText(text));
  EXPECT_EQ(text, original);
}

TEST_F(PropertiesDialog, TheKindChoosesGroupsPagesAndExtension) {
  const std::string run = "/out/Sea" + std::string(kExecutableExtension);
  std::string text = Lines({"/out/Sea.exe", "", "170", "65", "0"});
  dialog_.SetActivePage(Page::PasswordedAreas);
  ASSERT_TRUE(Edit(text, [&] {
    EXPECT_EQ(dialog_.ActivePage(), Page::PasswordedAreas);
    EXPECT_EQ(dialog_.OutputFileEdit().value(), run);
    EXPECT_EQ(dialog_.Pages().children(), 4);
    dialog_.SetActivePage(Page::ArchiveFile);
    EXPECT_TRUE(dialog_.IconGroup().visible());
    EXPECT_FALSE(dialog_.OptionsGroup().visible());

    ClickOn(dialog_.KindButton(2));
    EXPECT_FALSE(dialog_.IconGroup().visible());
    EXPECT_TRUE(dialog_.OptionsGroup().visible());
    EXPECT_EQ(dialog_.Pages().children(), 2);
    EXPECT_FALSE(dialog_.Offers(Page::MagnifyingGlass));
    EXPECT_FALSE(dialog_.Offers(Page::PasswordedAreas));
    EXPECT_EQ(dialog_.OutputFileEdit().value(), std::string("/out/Sea.zip"));
    EXPECT_EQ(test::LayoutFaults(dialog_), std::vector<std::string>{});
    dialog_.SetActivePage(Page::PasswordedAreas);
    EXPECT_EQ(dialog_.ActivePage(), Page::ArchiveFile);

    ClickOn(dialog_.KindButton(1));
    EXPECT_FALSE(dialog_.IconGroup().visible());
    EXPECT_FALSE(dialog_.OptionsGroup().visible());
    ASSERT_EQ(dialog_.Pages().children(), 4);
    for (int page = 0; page < 4; ++page) EXPECT_TRUE(dialog_.Offers(static_cast<Page>(page)));
    EXPECT_STREQ(dialog_.Pages().child(1)->label(), "Magnifying glass");
    EXPECT_STREQ(dialog_.Pages().child(3)->label(), "Passworded areas");
    EXPECT_EQ(dialog_.OutputFileEdit().value(), std::string("/out/Sea.zip"));

    ClickOn(dialog_.KindButton(0));
    EXPECT_EQ(dialog_.OutputFileEdit().value(), run);
    for (int page = 0; page < 4; ++page) {
      dialog_.SetActivePage(static_cast<Page>(page));
      EXPECT_EQ(test::LayoutFaults(dialog_), std::vector<std::string>{}) << page;
    }
  }));
  EXPECT_EQ(text.substr(0, text.find('\n')), run);

  // Opened on the password for a plain ZIP of pictures, the dialog shows its first page.
  text = Lines({"/out/Sea.zip", "", "170", "65", "2"});
  dialog_.SetActivePage(Page::PasswordedAreas);
  ASSERT_TRUE(Edit(text, [&] {
    EXPECT_EQ(dialog_.ActivePage(), Page::ArchiveFile);
    EXPECT_EQ(dialog_.Pages().children(), 2);
  }));
}

TEST_F(PropertiesDialog, TrackBarsShowTheirValuesAndSizeTheCircle) {
  std::string text = Lines({"", "#0000FF", "170", "65", "2"});
  ASSERT_TRUE(Edit(text, [&] {
    EXPECT_EQ(dialog_.Circle().Diameter(), 170);
    EXPECT_EQ(dialog_.Circle().CircleColor(), 0xFF0000u);
    ClickOn(dialog_.JumpToQualityButton());
    EXPECT_EQ(dialog_.ActivePage(), Page::Other);
    TrackBar& quality = dialog_.QualityBar();
    // Dragged to the far right end, then a key step to the left.
    test::DragTo(dialog_, quality.x() + quality.w() / 2, quality.y() + 8,
                 quality.x() + quality.w() + 40, quality.y() + 8);
    EXPECT_EQ(quality.Position(), 100);
    EXPECT_STREQ(dialog_.OtherQualityLabel(), "100");
    EXPECT_STREQ(dialog_.OptionsQualityLabel(), "100");

    dialog_.SetActivePage(Page::ArchiveFile);
    ClickOn(dialog_.KindButton(0));
    dialog_.SetActivePage(Page::MagnifyingGlass);
    TrackBar& diameter = dialog_.DiameterBar();
    test::DragTo(dialog_, diameter.x() + diameter.w() / 2, diameter.y() + 8, diameter.x() - 40,
                 diameter.y() + 8);
    EXPECT_EQ(diameter.Position(), 50);
    EXPECT_STREQ(dialog_.DiameterLabel(), "50");
    EXPECT_EQ(dialog_.Circle().Diameter(), 50);
    dialogs_->color = 0x2080FF;
    ClickOn(dialog_.ColorButton());
    EXPECT_EQ(dialogs_->colorStarts, std::vector<Color>{0xFF0000u});
  }));
  EXPECT_EQ(text, Lines({"", "#FF8020", "50", "100", "0", "", "", "", "", "", ""}));
}

TEST_F(PropertiesDialog, TheOutputFileComesFromTheSaveDialog) {
  const fs::path before = fs::current_path();
  std::string text = Lines({" /somewhere/Sea.run ", "", "", "", "1"});
  ASSERT_TRUE(Edit(text, [&] {
    dialogs_->fileToSave = dir_ / "fresh.ZIP";
    ClickOn(dialog_.OutputFileButton());
    ASSERT_EQ(dialogs_->saveChoices.size(), 1u);
    EXPECT_EQ(dialogs_->saveChoices[0].folder, "/somewhere");
    EXPECT_EQ(dialogs_->saveChoices[0].name, "Sea.zip");
    EXPECT_EQ(dialogs_->saveChoices[0].filter, "ZIP\t*.zip");
    EXPECT_EQ(dialogs_->saveChoices[0].extension, ".zip");
    EXPECT_EQ(dialog_.OutputFileEdit().value(), dir_ / "fresh.zip");

    // Cancelled: the edit keeps its name, and its extension follows the kind.
    dialogs_->fileToSave.reset();
    ClickOn(dialog_.KindButton(0));
    ClickOn(dialog_.OutputFileButton());
    EXPECT_EQ(dialogs_->saveChoices.back().filter,
              "Executable\t*" + std::string(kExecutableExtension));
    EXPECT_EQ(dialog_.OutputFileEdit().value(),
              dir_ / ("fresh" + std::string(kExecutableExtension)));
  }));
  EXPECT_EQ(fs::current_path(), before);
}

TEST_F(PropertiesDialog, PasswordPageProtectionAndLink) {
  std::vector<std::string> opened;
  auto previous = InstallDesktopOpener([&](const std::string& target) {
    opened.push_back(target);
    return true;
  });
  std::string text = Lines({"", "", "", "", "0"});
  dialog_.SetActivePage(Page::PasswordedAreas);
  ASSERT_TRUE(Edit(text, [&] {
    EXPECT_TRUE(dialog_.StrongButton().value());
    ClickOn(dialog_.CompatibleButton());
    EXPECT_FALSE(dialog_.StrongButton().value());
    dialog_.PasswordEdit().value(" secret ");
    dialog_.LinkTextEdit().value("Ask me");
    for (const char* address : {"", "  ", "shop.example/pw", "http://a.example",
                                "https://b.example/x", "c.example:8080/p"}) {
      dialog_.LinkAddressEdit().value(address);
      ClickOn(dialog_.CheckLinkButton());
    }
    EXPECT_EQ(test::LayoutFaults(dialog_), std::vector<std::string>{});
  }));
  InstallDesktopOpener(previous);
  EXPECT_EQ(opened, (std::vector<std::string>{"http://shop.example/pw", "http://a.example",
                                              "https://b.example/x", "http://c.example:8080/p"}));
  EXPECT_EQ(text, Lines({"", "#000000", "170", "65", "0", "", "", "secret", "Ask me",
                         "c.example:8080/p", "compatible"}));
}

TEST_F(PropertiesDialog, ThePropertiesOfAProjectGoThroughTheDialogAndBack) {
  TKelPigger project;
  project.LoadFromText(
      "<VX OUTPUT_FILE=\"/out/Sea.run\" MG_BORDER_COLOR=#008040 MG_DIAMETER=90 JPQ=70 "
      "PWDLT=\"Get it\" PWDLH=a.example PROTECTION=compatible/>");
  ProjectProperties properties = ReadProperties(project);
  properties.password = "pw";
  std::string text = PropertyTextOf(properties);
  dialog_.SetActivePage(Page::PasswordedAreas);
  ASSERT_TRUE(Edit(text, [&] {
    EXPECT_STREQ(dialog_.PasswordEdit().value(), "pw");
    EXPECT_TRUE(dialog_.CompatibleButton().value());
    dialog_.PasswordEdit().value("new");
    ClickOn(dialog_.StrongButton());
  }));
  ApplyPropertyText(text, properties);
  ProjectProperties expected = ReadProperties(project);
  expected.password = "new";
  expected.protection = "";
  EXPECT_EQ(properties, expected);
}

TEST_F(PropertiesDialog, TheIconGoesThroughItsChooser) {
  const std::string icon = IconText(IconFromBitmap(Stripes()));
  const struct {
    const char* what;
    std::string line, stored;
    bool shownDefault;
  } cases[] = {
      {"an icon of the project", icon, icon, false},
      {"no icon: the default one", "", "", true},
      {"a text that holds no picture leaves the icon shown", "00FF", "", true},
  };
  for (const auto& c : cases) {
    std::string text = Lines({"", "", "", "", "0", "", c.line.c_str()});
    ASSERT_TRUE(Edit(text, [&] {
      EXPECT_EQ(dialog_.O_icon_choicer1().DefaultIcon(), c.shownDefault) << c.what;
    })) << c.what;
    EXPECT_EQ(ReadPropertyValues(text).icon, c.stored) << c.what;
  }
}

TEST_F(PropertiesDialog, MakeIconFromGraphicNeedsTheCurrentPicture) {
  std::string text = Lines({"", "", "", "", "0"});
  ASSERT_TRUE(Edit(text, [&] { ClickOn(dialog_.O_icon_choicer1().SB_make_icon()); }));
  EXPECT_EQ(dialogs_->messages,
            std::vector<std::string>{"Please select a picture to make the icon from"});
  EXPECT_EQ(ReadPropertyValues(text).icon, "");

  const Bitmap current = Stripes();
  dialog_.OnCurrentPicture([&] { return &current; });
  ASSERT_TRUE(Edit(text, [&] {
    // The picture dialog: the grab rectangle applied, then Ok.
    dialogs_->onModal = [&](Fl_Window&) {
      ClickOn(pictures_.SB_make_tn());
      ClickOn(pictures_.SB_apply_th());
      ClickOn(pictures_.btn_ok());
    };
    ClickOn(dialog_.O_icon_choicer1().SB_make_icon());
    EXPECT_STREQ(pictures_.label(), "Make the Icon");
    EXPECT_FALSE(dialog_.O_icon_choicer1().DefaultIcon());
  }));
  const std::string made = ReadPropertyValues(text).icon;
  EXPECT_FALSE(made.empty());
  EXPECT_NO_THROW(IconFromText(made));
  EXPECT_EQ(dialogs_->messages.size(), 1u);
}

}  // namespace
}  // namespace vx::builder
