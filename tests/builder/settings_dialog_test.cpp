#include "settings_dialog.h"

#include "builder/builder_test.h"
#include "document/vocabulary.h"
#include "platform/files.h"

namespace vx::builder {
namespace {

namespace fs = std::filesystem;
namespace n = names;

class Settings : public test::BuilderTest {
 protected:
  // The settings file as the next start reads it.
  std::unique_ptr<TKelPigger> Stored() {
    auto stored = std::make_unique<TKelPigger>();
    stored->LoadFromFile(SettingsFile());
    return stored;
  }
  // Opens the dialog, lets the script act on it and closes it with the button given.
  static bool Edit(TD_settings_user& dialog, test::ScriptedDialogs& dialogs,
                   const std::function<void()>& act, bool ok) {
    dialogs.onModal = [&](Fl_Window&) {
      act();
      test::ClickOn(ok ? dialog.OkButton() : dialog.CancelButton());
    };
    return dialog.Execute();
  }
};

TEST_F(Settings, FirstStartWritesOnlyTheRootAndTheDefaultsApply) {
  TD_settings_user dialog(Layout());
  const std::string text = ReadWholeFile(SettingsFile());
  auto stored = Stored();
  EXPECT_EQ(stored->Name, "SETTINGS");
  EXPECT_TRUE(stored->AttrNames.empty()) << text;
  EXPECT_EQ(stored->ChildCount(), 0);
  EXPECT_STREQ(dialog.FolderEdit(UserFolder::Source).value(), "../graphics");
  EXPECT_STREQ(dialog.FolderEdit(UserFolder::Output).value(), "../output");
  EXPECT_STREQ(dialog.FolderEdit(UserFolder::Export).value(), "../egraphics");
  EXPECT_EQ(dialog.User().FolderPath(UserFolder::Output), dir_ / "output");
  EXPECT_EQ(dialog.User().ColorOf(n::kDefaultTextColor), 0x0000FFu);
  EXPECT_EQ(dialog.User().ColorOf(n::kDefaultPenColor), 0x808080u);
  EXPECT_EQ(dialog.User().ColorOf(n::kDefaultBrushColor), 0x80FFFFu);
  EXPECT_EQ(dialog.SwatchColor(2), 0x80FFFFu);
}

TEST_F(Settings, OkStoresTheDefaultForAClearedFolderAndCreatesTheFolders) {
  TD_settings_user dialog(Layout());
  const std::string deep = dir_ / "new/deeper/archives";
  EXPECT_TRUE(Edit(
      dialog, *dialogs_,
      [&] {
        dialog.FolderEdit(UserFolder::Source).value("   ");
        dialog.FolderEdit(UserFolder::Output).value((" " + deep + " ").c_str());
      },
      true));
  auto stored = Stored();
  EXPECT_EQ(stored->GetAttr(n::kSourceFolder), "../graphics");
  EXPECT_EQ(stored->GetAttr(n::kOutputFolder), deep);
  EXPECT_EQ(stored->GetAttr(n::kExportFolder), "../egraphics");
  EXPECT_EQ(stored->GetAttr(n::kDefaultPenColor), "#808080");
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_EQ(dialog.User().FolderPath(UserFolder::Output), deep);
}

TEST_F(Settings, CancelKeepsTheSettingsInUse) {
  TD_settings_user dialog(Layout());
  Edit(
      dialog, *dialogs_, [&] { dialog.FolderEdit(UserFolder::Output).value("/first"); }, true);
  dialogs_->color = 0x112233;
  EXPECT_FALSE(Edit(
      dialog, *dialogs_,
      [&] {
        dialog.FolderEdit(UserFolder::Output).value("/second");
        dialog.Set_color(0);
      },
      false));
  EXPECT_EQ(dialog.User().FolderPath(UserFolder::Output), "/first");
  EXPECT_EQ(dialog.User().ColorOf(n::kDefaultTextColor), 0x0000FFu);
  EXPECT_EQ(Stored()->GetAttr(n::kOutputFolder), "/first");
  // Reopened, the dialog shows what is in use, not what was cancelled.
  dialogs_->onModal = [&](Fl_Window&) {
    EXPECT_STREQ(dialog.FolderEdit(UserFolder::Output).value(), "/first");
    EXPECT_EQ(dialog.SwatchColor(0), 0x0000FFu);
  };
  dialog.Execute();
  EXPECT_EQ(dialogs_->modalRuns, 3);
}

TEST_F(Settings, ColourAndFolderChoosersFillTheirControls) {
  TD_settings_user dialog(Layout());
  dialogs_->folder = "/srv/photos";
  dialogs_->color = 0x123456;
  Edit(
      dialog, *dialogs_,
      [&] {
        test::ClickOn(dialog.FolderButton(UserFolder::Source));
        dialog.Pages().value(dialog.Pages().child(1));
        test::ClickOn(dialog.ColorButton(1));
      },
      true);
  EXPECT_EQ(dialogs_->folderStarts, std::vector<std::string>{dir_ / "graphics"});
  EXPECT_EQ(dialogs_->colorStarts, std::vector<Color>{0x808080});
  EXPECT_EQ(Stored()->GetAttr(n::kSourceFolder), "/srv/photos");
  EXPECT_EQ(Stored()->GetAttr(n::kDefaultPenColor), "#563412");
  // Cancelled choosers change nothing.
  dialogs_->folder.reset();
  dialogs_->color.reset();
  dialog.on_SB_dirs(UserFolder::Output);
  dialog.Set_color(2);
  EXPECT_STREQ(dialog.FolderEdit(UserFolder::Output).value(), "../output");
  EXPECT_EQ(dialog.SwatchColor(2), 0x80FFFFu);
}

TEST_F(Settings, InvalidColourTextGivesBlack) {
  WriteFileAtomically(SettingsFile(), "<SETTINGS CLR_TXT=\"nonsense\" CLR_BRUSH=\"#00FF00\"/>");
  TD_settings_user dialog(Layout());
  EXPECT_EQ(dialog.User().ColorOf(n::kDefaultTextColor), 0u);
  EXPECT_EQ(dialog.SwatchColor(0), 0u);
  EXPECT_EQ(dialog.SwatchColor(1), 0x808080u);  // not set: the default
  EXPECT_EQ(dialog.SwatchColor(2), 0x00FF00u);
}

TEST_F(Settings, BrokenOrUnreadableSettingsFilesGiveTheDefaults) {
  struct Case {
    const char* what;
    std::function<void()> spoil;
  } cases[] = {
      {"garbage", [&] { WriteFileAtomically(SettingsFile(), std::string("<<\x01\xFF<SET", 9)); }},
      {"another document", [&] { WriteFileAtomically(SettingsFile(), "<VX SRC_FLDR=\"/x\"/>"); }},
      {"empty", [&] { WriteFileAtomically(SettingsFile(), ""); }},
      {"a folder in its place", [&] { fs::create_directories(SettingsFile()); }},
  };
  for (const Case& c : cases) {
    fs::remove_all(SettingsFile());
    c.spoil();
    TD_settings_user dialog(Layout());
    EXPECT_EQ(dialog.User().Document().Name, "SETTINGS") << c.what;
    EXPECT_EQ(dialog.User().Document().AttrNames.size(), 0u) << c.what;
    EXPECT_EQ(dialog.User().FolderPath(UserFolder::Source), dir_ / "graphics") << c.what;
    if (fs::is_regular_file(SettingsFile())) {
      EXPECT_EQ(Stored()->Name, "SETTINGS") << c.what;  // replaced at once
    }
  }
}

TEST_F(Settings, LastProjectIsWrittenWhenTheProgramEnds) {
  {
    TD_settings_user dialog(Layout());
    EXPECT_EQ(dialog.User().LastProject(), "");
    dialog.User().SetLastProject(dir_ / "projects/Trip.vxpr");
  }
  EXPECT_EQ(Stored()->GetAttr(n::kLastProject), dir_ / "projects/Trip.vxpr");
  TD_settings_user reopened(Layout());
  EXPECT_EQ(reopened.User().LastProject(), dir_ / "projects/Trip.vxpr");
}

TEST_F(Settings, Screenshot) {
  TD_settings_user dialog(Layout());
  dialogs_->onModal = [&](Fl_Window& window) {
    window.show();
    test::SaveWindowPng(window, "builder-settings.png");
    dialog.Pages().value(dialog.Pages().child(1));
    test::SaveWindowPng(window, "builder-settings-colors.png");
  };
  dialog.Execute();
}

}  // namespace
}  // namespace vx::builder
