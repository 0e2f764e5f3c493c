#include "main_window.h"

#include <FL/Fl.H>

#include <array>
#include <filesystem>

#include "archive_session.h"
#include "blocks/data_blocks.h"
#include "builder/builder_test.h"
#include "document/conversions.h"
#include "picture/icon.h"
#include "picture/jpeg_codec.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/ui_scale.h"
#include "protection/cipher.h"
#include "sample_pictures.h"
#include "support/png_output.h"
#include "support/run_for_a_while.h"
#include "support/wild_jpegs.h"

namespace vx::builder {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class MainWindow : public test::BuilderTest {
 protected:
  MainWindow() : forms_(Layout()), window_(forms_) {
    window_.ViewerPath = Viewer("exit 0");
    window_.show();
    test::Settle();
    // Messages and questions answer from the script: TDmsg is read, TFsure says yes while
    // sureAnswers_ says so.
    dialogs_->onModal = [this](Fl_Window& dialog) {
      if (&dialog == &forms_.msg) shown_.push_back(forms_.msg.Text());
      if (&dialog == &forms_.editPrj && onProperties_) onProperties_(forms_.editPrj);
      if (&dialog == &forms_.sure || &dialog == &forms_.sureDel) {
        asked_.push_back(static_cast<TextDialog&>(dialog).Text());
        if (!sureAnswers_.empty()) {
          if (sureAnswers_.front()) static_cast<TFsure&>(dialog).OKBtnClick();
          sureAnswers_.pop_front();
        }
      }
    };
  }

  // A viewer stand-in: a shell script, so the archive made of it runs the script.
  std::string Viewer(const std::string& script) {
    const std::string path = dir_ / "bin/_vellumax";
    WriteFileAtomically(path, "#!/bin/sh\n" + script + "\nexit 0\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
  }
  std::string Picture(const std::string& name, int seed = 1, int w = 320, int h = 240) {
    return dir_.Write("graphics/" + name, *EncodeJpeg(MakeSamplePicture(w, h, seed), 85));
  }
  // A project file of count pictures; frame i has a footer, fields and a pointer.
  std::string ProjectFile(const std::string& name, int count, const std::string& rootKeys = "") {
    std::string text =
        "<VX OUTPUT_FILE=\"" + (dir_ / "output/trip.run") + "\" OFT=\"0\" " + rootKeys + ">";
    for (int i = 0; i < count; ++i) {
      const std::string n = std::to_string(i);
      text += "<FRAME FRAME_ID=\"ID" + n + "\" SRC_FILE=\"" + Picture("p" + n + ".jpg", i) +
              "\" FOOTER=\"Footer " + n + "\"><FLDS>Text " + n + "<FLD FNAME=\"F\" VAL=\"" + n +
              "\"/></FLDS><PNTRS><CLD OBJ_ID=\"O" + n + "\" XR=\"" + RealToText(0.5) + "\" YR=\"" +
              RealToText(0.5) + "\" ARRTXT=\"Cloud " + n + "\"/></PNTRS></FRAME>";
    }
    return dir_.Write("projects/" + name, text + "</VX>");
  }
  void WaitIdle() {
    ASSERT_TRUE(test::WaitFor([&] { return !window_.Busy(); }));
    test::Settle();
  }
  bool Open(const std::string& path) {
    const bool loaded = window_.LoadProject(path);
    if (loaded) window_.SetFileName(path);
    WaitIdle();
    return loaded;
  }
  std::vector<std::string> Footers() {
    std::vector<std::string> footers;
    for (int i = 0; i < window_.Strip().TileCount(); ++i)
      footers.push_back(window_.Strip().TileAt(i)->Footer());
    return footers;
  }
  std::vector<FrameRecord> SavedFrames(const std::string& path) {
    TKelPigger saved;
    saved.LoadFromFile(path);
    return ReadFrames(saved);
  }
  bool Active(const char* menuPath) { return window_.MenuItem(menuPath)->active(); }
  bool ToolActive(const char* caption) { return window_.Tools().Find(caption)->active(); }

  Forms forms_;
  TFmain window_;
  std::vector<std::string> shown_, asked_;
  std::deque<bool> sureAnswers_;
  std::function<void(TF_edit_prj&)> onProperties_;
};

TEST_F(MainWindow, NewProjectsAreNumberedSkippingExistingNames) {
  window_.FirstActivation();
  EXPECT_EQ(window_.FileName(), dir_ / "projects/Project1.vxpr");
  dir_.Write("projects/Project1.vxpr", "<VX/>");
  dir_.Write("projects/Project2.vxpr", "<VX/>");
  window_.PNewClick(true);
  EXPECT_EQ(window_.FileName(), dir_ / "projects/Project3.vxpr");
  EXPECT_STREQ(window_.StatusPanel(2).label(), window_.FileName().c_str());
  // The defaults of a new project; no output kind yet, so nothing can be run.
  EXPECT_EQ(window_.Properties().outputFile,
            dir_ / ("output/Project3" + std::string(kExecutableExtension)));
  EXPECT_EQ(window_.Properties().jpegQuality, "65");
  EXPECT_EQ(window_.Properties().pointersInZip, "0");
  EXPECT_EQ(window_.Properties().outputKind, "");
  EXPECT_FALSE(ToolActive("Run"));
  EXPECT_FALSE(Active("Make/Make ZRV and run it"));
  EXPECT_FALSE(window_.Changed());
}

TEST_F(MainWindow, SaveAndLoadKeepEveryFrame) {
  const std::string path = ProjectFile("trip.vxpr", 3, "NO_HINT_LINE=\"x\" TNP_WIDTH=\"240\"");
  ASSERT_TRUE(Open(path));
  EXPECT_EQ(Footers(), (std::vector<std::string>{"Footer 0", "Footer 1", "Footer 2"}));
  EXPECT_EQ(window_.Strip().w(), Scaled(240));
  EXPECT_FALSE(window_.Changed());
  EXPECT_TRUE(dialogs_->messages.empty());
  test::SaveWindowPng(window_, "builder-main-window.png");

  dialogs_->fileToSave = dir_ / "projects/copy.vxpr";
  window_.PSaveasClick();
  EXPECT_EQ(window_.FileName(), dir_ / "projects/copy.vxpr");
  TKelPigger original, copy;
  original.LoadFromFile(path);
  copy.LoadFromFile(window_.FileName());
  EXPECT_EQ(ReadFrames(copy), ReadFrames(original));
  EXPECT_EQ(copy.GetAttr("NO_HINT_LINE"), "x");
  EXPECT_EQ(copy.GetAttr("TNP_WIDTH"), "240");
  EXPECT_EQ(copy.GetAttr("OFT"), "0");
}

TEST_F(MainWindow, PasswordRoundTripsThroughItsStoredForm) {
  const std::string stored = HexEncode(StorePassword("open sesame"));
  ASSERT_TRUE(Open(ProjectFile("locked.vxpr", 1, "PWDIM=\"" + stored + "\"")));
  EXPECT_EQ(window_.Properties().password, "open sesame");
  window_.PSaveClick();
  TKelPigger saved;
  saved.LoadFromFile(window_.FileName());
  EXPECT_EQ(saved.GetAttr("PWDIM"), stored);
}

TEST_F(MainWindow, MissingPicturesKeepTheirFrames) {
  const std::string path = ProjectFile("gone.vxpr", 4);
  fs::remove(dir_ / "graphics/p1.jpg");
  dir_.Write("graphics/p2.jpg", "not a picture");
  const std::vector<FrameRecord> before = SavedFrames(path);
  ASSERT_TRUE(Open(path));
  ASSERT_EQ(window_.Strip().TileCount(), 4);
  EXPECT_FALSE(window_.Strip().TileAt(0)->Missing);
  EXPECT_TRUE(window_.Strip().TileAt(1)->Missing);
  EXPECT_TRUE(window_.Strip().TileAt(2)->Missing);
  EXPECT_FALSE(window_.Strip().TileAt(3)->Missing);
  // Told once, naming both.
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_NE(shown_[0].find(dir_ / "graphics/p1.jpg"), std::string::npos);
  EXPECT_NE(shown_[0].find(dir_ / "graphics/p2.jpg"), std::string::npos);
  EXPECT_FALSE(window_.Changed());
  EXPECT_EQ(window_.FileName(), path);
  window_.PSaveClick();
  EXPECT_EQ(SavedFrames(path), before);
}

TEST_F(MainWindow, WhatIsNotAProjectChangesNothing) {
  ASSERT_TRUE(Open(ProjectFile("good.vxpr", 2)));
  const std::string good = window_.FileName();
  EXPECT_FALSE(Open(dir_.Write("projects/wizard.vxpr", "<WZ/>")));
  EXPECT_EQ(dialogs_->messages, std::vector<std::string>{"File loading error."});
  EXPECT_THROW(Open(dir_.Write("projects/broken.vxpr", "<VX><FRAME")), EKelPiggerError);
  EXPECT_THROW(Open(dir_ / "projects/none.vxpr"), std::runtime_error);
  EXPECT_EQ(dialogs_->messages.size(), 3u);
  EXPECT_EQ(window_.FileName(), good);
  EXPECT_EQ(window_.Strip().TileCount(), 2);
}

TEST_F(MainWindow, AddedPicturesSkipUnreadableFilesAndTheLastBecomesCurrent) {
  window_.FirstActivation();
  const std::string bad = dir_.Write("graphics/bad.jpg", "garbage");
  dialogs_->filesToOpen = {Picture("a.jpg"), bad, dir_ / "graphics/none.jpg", Picture("b.jpg")};
  window_.PAddpictureClick();
  ASSERT_EQ(dialogs_->openChoices.size(), 1u);
  EXPECT_EQ(dialogs_->openChoices[0].folder, dir_ / "graphics");
  EXPECT_TRUE(dialogs_->openChoices[0].multiple);
  WaitIdle();
  EXPECT_EQ(Footers(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_EQ(window_.Strip().Current(), window_.Strip().TileAt(1));
  EXPECT_TRUE(window_.Changed());
  EXPECT_STREQ(window_.StatusPanel(1).label(), "Changed");
  EXPECT_TRUE(shown_.empty());
  EXPECT_NE(window_.Strip().TileAt(0)->Id, window_.Strip().TileAt(1)->Id);
}

TEST_F(MainWindow, DropsAddPicturesWhereTheyFallAndOpenProjects) {
  ASSERT_TRUE(Open(ProjectFile("drop.vxpr", 2)));
  const ui::TO_img_item& second = *window_.Strip().TileAt(1);
  // Onto the upper half of the second tile: the new pictures go before it.
  // As FLTK hands a drop to the window under the mouse.
  Fl_Widget& target = window_;
  test::MoveMouse(window_, second.x() + 20, second.y() + 10);
  target.handle(FL_DND_ENTER);
  target.handle(FL_DND_RELEASE);
  const std::string text =
      "file://" + Picture("new one.jpg") + "\r\n" + "file://" + Picture("two.jpg") + "\r\n";
  std::string escaped;
  for (char c : text) escaped += c == ' ' ? std::string("%20") : std::string(1, c);
  Fl::e_text = escaped.data();
  Fl::e_length = static_cast<int>(escaped.size());
  target.handle(FL_PASTE);
  WaitIdle();
  EXPECT_EQ(Footers(),
            (std::vector<std::string>{"Footer 0", "new one.jpg", "two.jpg", "Footer 1"}));
  EXPECT_TRUE(window_.Changed());

  // A project dropped anywhere is opened, after the question about the changes.
  const std::string other = ProjectFile("other.vxpr", 1);
  target.handle(FL_DND_RELEASE);
  std::string project = "file://" + other + "\n";
  Fl::e_text = project.data();
  Fl::e_length = static_cast<int>(project.size());
  target.handle(FL_PASTE);
  WaitIdle();
  EXPECT_EQ(dialogs_->questions, std::vector<std::string>{"Save changes?"});
  EXPECT_EQ(window_.FileName(), other);
  EXPECT_EQ(window_.Strip().TileCount(), 1);
}

TEST_F(MainWindow, DeletesTheCurrentOrTheCheckedPictures) {
  ASSERT_TRUE(Open(ProjectFile("del.vxpr", 4)));
  ui::TO_img_items& strip = window_.Strip();
  strip.SelectTile(strip.TileAt(0));
  sureAnswers_ = {false, true};
  window_.PDeletepictureClick();  // No
  window_.PDeletepictureClick();  // Yes
  EXPECT_EQ(asked_, std::vector<std::string>(2, "Delete current picture from the project?"));
  EXPECT_EQ(Footers(), (std::vector<std::string>{"Footer 1", "Footer 2", "Footer 3"}));
  EXPECT_EQ(strip.Current(), nullptr);

  // Checked tiles without a current one: only "Delete checked" can be chosen.
  strip.TileAt(0)->SetChecked(true);
  strip.TileAt(2)->SetChecked(true);
  window_.UpdateCommands();
  EXPECT_TRUE(ToolActive("Del.Pict."));
  EXPECT_FALSE(Active("Edit/Delete picture"));
  sureAnswers_ = {true};
  window_.PDeletepictureClick();
  EXPECT_FALSE(forms_.sureDel.RB_current().active());
  EXPECT_EQ(Footers(), std::vector<std::string>{"Footer 2"});
  EXPECT_TRUE(window_.Changed());
}

TEST_F(MainWindow, MakeSaysWhatIsMissing) {
  window_.FirstActivation();
  window_.PNewClick(true);
  window_.PBuildonlyClick();
  window_.AddPictures({Picture("a.jpg")});
  WaitIdle();
  dialogs_->answers = {true};  // saved: a project without an output kind
  window_.PBuildonlyClick();
  fs::remove(window_.ViewerPath);
  window_.PBuildonlyClick();
  EXPECT_EQ(shown_, (std::vector<std::string>{"No files to add to arhive.", "Wrong output type",
                                              "No project compiller found."}));
}

TEST_F(MainWindow, MakeWithoutSavingMakesTheSavedProject) {
  ASSERT_TRUE(Open(ProjectFile("saved.vxpr", 2)));
  window_.AddPictures({Picture("added.jpg")});
  WaitIdle();
  dialogs_->answers = {false};
  bool idle = false;
  window_.OnIdle = [&] { idle = true; };
  window_.PBuildonlyClick();
  ASSERT_TRUE(test::WaitFor([&] { return idle; }));
  EXPECT_EQ(dialogs_->questions, std::vector<std::string>{"Save changes?"});
  const std::string archive = ReadWholeFile(dir_ / "output/trip.run");
  // The description, two pictures and their thumbnails.
  EXPECT_EQ(BlockIndex(archive).List().size(), 5u);
  EXPECT_TRUE(window_.Changed());
}

TEST_F(MainWindow, TheSavedProjectsIconGoesFirstIntoTheArchive) {
  const std::string icon = IconText(IconFromBitmap(MakeSamplePicture(32, 32, 3)));
  ASSERT_TRUE(Open(ProjectFile("icon.vxpr", 1, "HICO=\"" + icon + "\"")));
  // An icon that is not one, unsaved, changes nothing.
  ProjectProperties properties = window_.Properties();
  properties.icon = "0102";
  window_.SetProperties(properties);
  dialogs_->answers = {false};
  bool idle = false;
  window_.OnIdle = [&] { idle = true; };
  window_.PBuildonlyClick();
  ASSERT_TRUE(test::WaitFor([&] { return idle; }));
  const std::string archive = ReadWholeFile(dir_ / "output/trip.run");
  const BlockIndex blocks(archive);
  ASSERT_EQ(blocks.List().size(), 4u);  // the icon, the description, a picture, its thumbnail
  EXPECT_EQ(blocks.List()[0].name, kMainIconBlock);
  EXPECT_EQ(blocks.Find(kMainIconBlock), IconFromText(icon));
}

TEST_F(MainWindow, OnlyAnExecutableArchiveIsRun) {
  const std::string ran = dir_ / "ran";
  window_.ViewerPath = Viewer("touch '" + ran + "'");
  for (const char* kind : {"1", "2"}) {
    ASSERT_TRUE(Open(ProjectFile(std::string("kind") + kind + ".vxpr", 1)));
    ProjectProperties properties = window_.Properties();
    properties.outputKind = kind;
    properties.outputFile = dir_ / ("output/kind" + std::string(kind) + ".zip");
    window_.SetProperties(properties);
    window_.PSaveClick();
    EXPECT_FALSE(ToolActive("Run")) << kind;
    EXPECT_FALSE(Active("Make/Make ZRV and run it")) << kind;
    bool idle = false;
    window_.OnIdle = [&] { idle = true; };
    window_.PBuildandrunClick();
    ASSERT_TRUE(test::WaitFor([&] { return idle; })) << kind;
    window_.OnIdle = nullptr;  // the next pass's opening must not reach this pass's flag
    EXPECT_TRUE(FileExists(properties.outputFile)) << kind;
    EXPECT_FALSE(window_.Running()) << kind;
  }
  test::Settle();
  EXPECT_FALSE(FileExists(ran));
}

TEST_F(MainWindow, PointersAreDrawnIntoAZipOfJpegsWhenAsked) {
  const Bitmap original = DecodeJpeg(ReadWholeFile(Picture("p0.jpg", 0)));
  for (const char* drawn : {"0", "Y"}) {
    ASSERT_TRUE(Open(ProjectFile(std::string("zip") + drawn + ".vxpr", 1)));
    ProjectProperties properties = window_.Properties();
    properties.outputKind = "2";
    properties.pointersInZip = drawn;
    properties.outputFile = dir_ / "output/pictures.zip";
    window_.SetProperties(properties);
    window_.PSaveClick();
    bool idle = false;
    window_.OnIdle = [&] { idle = true; };
    window_.PBuildonlyClick();
    ASSERT_TRUE(test::WaitFor([&] { return idle; })) << drawn;
    window_.OnIdle = nullptr;  // the next pass's opening must not reach this pass's flag
    const std::string exported = forms_.settings.User().FolderPath(UserFolder::Export) + "/p0.jpg";
    const Bitmap picture = DecodeJpeg(ReadWholeFile(exported));
    ASSERT_EQ(picture.Width(), original.Width());
    int changed = 0;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const Color a = picture.Pixel(x, y), b = original.Pixel(x, y);
        for (int shift : {0, 8, 16}) {
          if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                       static_cast<int>((b >> shift) & 0xFF)) > 80) {
            ++changed;
            break;
          }
        }
      }
    }
    // The cloud with its label, or the picture as it was but for the JPEG's own losses.
    if (drawn == std::string("Y")) {
      EXPECT_GT(changed, 300);
    } else {
      EXPECT_LT(changed, 20);
    }
  }
}

TEST_F(MainWindow, ARunningArchiveKeepsTheWindowResponsive) {
  window_.ViewerPath = Viewer("sleep 1");
  ASSERT_TRUE(Open(ProjectFile("run.vxpr", 1)));
  EXPECT_TRUE(ToolActive("Run"));
  bool idle = false;
  window_.OnIdle = [&] { idle = true; };
  window_.PBuildandrunClick();
  ASSERT_TRUE(test::WaitFor([&] { return window_.Running(); }));
  // The window goes on handling events while the archive runs; its commands wait.
  EXPECT_FALSE(window_.Tools().active());
  EXPECT_FALSE(Active("File"));
  ASSERT_TRUE(test::WaitFor([&] { return idle; }));
  EXPECT_FALSE(window_.Running());
  EXPECT_TRUE(window_.Tools().active());
}

TEST_F(MainWindow, ToolButtonsKeepTheirSizeAndPlaceWhenTheWindowNarrows) {
  std::vector<std::array<int, 4>> before;
  for (const ToolButton* button : window_.Tools().Buttons())
    before.push_back({button->x(), button->y(), button->w(), button->h()});
  window_.resize(window_.x(), window_.y(), window_.w() - 300, window_.h());
  test::Settle();
  for (size_t i = 0; i < before.size(); ++i) {
    const ToolButton& button = *window_.Tools().Buttons()[i];
    EXPECT_EQ(before[i], (std::array<int, 4>{button.x(), button.y(), button.w(), button.h()}))
        << button.label();
  }
  EXPECT_EQ(window_.Tools().w(), window_.w());
}

TEST_F(MainWindow, StripKeysActOnRelease) {
  ASSERT_TRUE(Open(ProjectFile("keys.vxpr", 3)));
  ui::TO_img_items& strip = window_.Strip();
  strip.SelectTile(strip.TileAt(0));
  test::Key(window_, FL_Down);
  EXPECT_EQ(strip.Current(), strip.TileAt(1));
  test::Key(window_, FL_End);
  EXPECT_EQ(strip.Current(), strip.TileAt(2));
  test::Key(window_, FL_Home);
  EXPECT_EQ(strip.Current(), strip.TileAt(0));
  // A press alone does nothing.
  Fl::e_keysym = FL_Down;
  Fl::handle(FL_KEYDOWN, &window_);
  EXPECT_EQ(strip.Current(), strip.TileAt(0));
}

TEST_F(MainWindow, CommandLineProjectOpensWithoutTheStartDialog) {
  const std::string path = ProjectFile("given.vxpr", 2);
  window_.Start(path);
  WaitIdle();
  EXPECT_EQ(window_.FileName(), path);
  EXPECT_EQ(window_.Strip().TileCount(), 2);
  EXPECT_EQ(dialogs_->modalRuns, 0);
  // Closing keeps it as the last project.
  window_.do_callback();
  EXPECT_FALSE(window_.shown());
  EXPECT_EQ(forms_.settings.User().LastProject(), path);
}

TEST_F(MainWindow, LastProjectThatIsNotAProjectLeadsToANewOne) {
  forms_.settings.User().SetLastProject(dir_.Write("projects/odd.vxpr", "<SETTINGS/>"));
  auto script = dialogs_->onModal;
  dialogs_->onModal = [&](Fl_Window& dialog) {
    if (&dialog == &forms_.start) forms_.start.one_click_start(TFstart::LastProject);
    script(dialog);
  };
  window_.Start();
  EXPECT_EQ(dialogs_->messages, std::vector<std::string>{"File loading error."});
  EXPECT_EQ(window_.FileName(), dir_ / "projects/Project1.vxpr");
  EXPECT_EQ(window_.Properties().jpegQuality, "65");  // the user's new project
}

TEST_F(MainWindow, NoOutputKindUntilThePropertiesAreConfirmed) {
  window_.FirstActivation();
  window_.PNewClick(true);
  window_.AddPictures({Picture("a.jpg")});
  WaitIdle();
  dialogs_->answers = {true, true};
  window_.PBuildonlyClick();
  EXPECT_EQ(shown_, std::vector<std::string>{"Wrong output type"});
  EXPECT_FALSE(ToolActive("Run"));
  // Cancelled, nothing changes; confirmed, the first kind and its extension.
  onProperties_ = [](TF_edit_prj& dialog) { dialog.btn_cancelClick(); };
  window_.PPrjClick();
  EXPECT_EQ(window_.Properties().outputKind, "");
  onProperties_ = [](TF_edit_prj& dialog) { dialog.btn_okClick(); };
  window_.PPrjClick();
  EXPECT_EQ(window_.Properties().outputKind, "0");
  EXPECT_EQ(window_.Properties().outputFile,
            dir_ / ("output/Project1" + std::string(kExecutableExtension)));
  EXPECT_TRUE(ToolActive("Run"));
  EXPECT_TRUE(Active("Make/Make ZRV and run it"));
  bool idle = false;
  window_.OnIdle = [&] { idle = true; };
  window_.PBuildonlyClick();
  ASSERT_TRUE(test::WaitFor([&] { return idle; }));
  EXPECT_EQ(shown_.size(), 1u);
  EXPECT_TRUE(FileExists(window_.Properties().outputFile));
}

// From the start dialog through the six pages of the wizard: the project is saved, its archive
// made with the real viewer and the builder ends.
class NewProjectFromTheStart : public MainWindow {
 protected:
  // Picks the pictures and the archive file, chooses the finish and clicks "Ok".
  void Finish(const std::vector<std::string>& pictures, const std::string& archive, bool easy,
              bool runAfterExit) {
    auto script = dialogs_->onModal;
    dialogs_->onModal = [=, this](Fl_Window& dialog) {
      TW_new_prj& wizard = forms_.wizard;
      if (&dialog == &forms_.start) test::ClickOn(forms_.start.StartButton());
      if (&dialog != &wizard) return script(dialog);
      test::ClickOn(wizard.NextButton());
      test::ClickOn(wizard.NextButton());
      dialogs_->filesToOpen = pictures;
      test::ClickOn(wizard.Source().AddButton());
      test::ClickOn(wizard.NextButton());
      EXPECT_EQ(wizard.ArchiveFileEdit().value(),
                dir_ / ("output/Project1" + std::string(kExecutableExtension)));
      wizard.ArchiveFileEdit().value(archive.c_str());
      test::ClickOn(wizard.NextButton());
      test::ClickOn(wizard.NextButton());
      test::ClickOn(wizard.FinishButton(easy));
      if (wizard.RunBox().value() != runAfterExit) test::ClickOn(wizard.RunBox());
      test::SaveWindowPng(wizard, "builder-wizard-finish.png");
      test::ClickOn(wizard.OkButton());
    };
    window_.Start();
  }
};

TEST_F(NewProjectFromTheStart, EasySavesMakesAndEnds) {
  window_.ViewerPath = VX_VIEWER_PATH;
  const std::string a = Picture("a.jpg", 1), b = Picture("b.jpg", 2, 200, 300);
  const std::string archive = dir_ / ("output/holiday" + std::string(kExecutableExtension));
  Finish({a, b}, archive, true, false);
  ASSERT_TRUE(test::WaitFor([&] { return !window_.shown(); }, 60)) << "the builder ends";
  EXPECT_TRUE(window_.QuickMode());
  EXPECT_EQ(shown_, std::vector<std::string>{});

  // The project, with frames of only an identifier and a file.
  const std::string project = dir_ / "projects/Project1.vxpr";
  EXPECT_EQ(forms_.settings.User().LastProject(), project);
  TKelPigger saved;
  saved.LoadFromFile(project);
  EXPECT_EQ(saved.Name, "VX");
  EXPECT_EQ(saved.GetAttr("OUTPUT_FILE"), archive);
  EXPECT_EQ(saved.GetAttr("OFT"), "0");
  EXPECT_EQ(saved.GetAttr("JPQ"), "65");
  ASSERT_EQ(saved.ChildCount(), 2);
  const std::vector<Size> sizes = {{320, 240}, {200, 300}};
  const std::string bytes = ReadWholeFile(archive);
  const BlockIndex blocks(bytes);
  EXPECT_FALSE(blocks.Find("PIG_TXT").empty());
  for (int i = 0; i < 2; ++i) {
    const TKelPigger& frame = *saved.Child(i);
    EXPECT_EQ(frame.AttrNames, (std::vector<std::string>{"FRAME_ID", "SRC_FILE"}));
    EXPECT_EQ(frame.ChildCount(), 0);
    EXPECT_EQ(frame.GetAttr("SRC_FILE"), i == 0 ? a : b);
    // The archive carries the picture under the frame's identifier.
    const Bitmap picture = DecodeJpeg(blocks.Find(frame.GetAttr("FRAME_ID")));
    EXPECT_EQ((Size{picture.Width(), picture.Height()}), sizes[static_cast<size_t>(i)]);
  }
  EXPECT_EQ(test::RunForAWhile(archive, nullptr, 1000ms, true), -1)
      << "the archive should start and keep running";
}

TEST_F(NewProjectFromTheStart, EasyWithRunStartsTheArchive) {
  const std::string ran = dir_ / "ran";
  window_.ViewerPath = Viewer("touch '" + ran + "'");
  Finish({Picture("a.jpg")}, dir_ / "output/trip", true, true);
  ASSERT_TRUE(test::WaitFor([&] { return !window_.shown(); }, 60));
  EXPECT_TRUE(test::WaitFor([&] { return FileExists(ran); }, 10)) << "the archive was started";
}

TEST_F(NewProjectFromTheStart, EasyEndsAlsoWhenTheMakeCannotStart) {
  fs::remove(window_.ViewerPath);
  Finish({Picture("a.jpg")}, dir_ / "output/trip", true, false);
  EXPECT_EQ(shown_, std::vector<std::string>{"No project compiller found."});
  EXPECT_FALSE(window_.shown());
  EXPECT_TRUE(FileExists(dir_ / "projects/Project1.vxpr"));
}

TEST_F(NewProjectFromTheStart, AdvancedKeepsTheProjectOpen) {
  const std::string a = Picture("a.jpg"), b = Picture("b.jpg", 2);
  Finish({a, b}, dir_ / "output/trip", false, false);
  WaitIdle();
  EXPECT_TRUE(window_.shown());
  EXPECT_FALSE(window_.QuickMode());
  EXPECT_EQ(Footers(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_FALSE(window_.Changed());
  EXPECT_FALSE(FileExists(dir_ / "output/trip"));
  const std::vector<FrameRecord> frames = SavedFrames(dir_ / "projects/Project1.vxpr");
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1].sourceFile, b);
  EXPECT_EQ(frames[1].footer, "b.jpg");
  EXPECT_EQ(frames[0].id, window_.Strip().TileAt(0)->Id);
  EXPECT_EQ(window_.Properties().outputFile, dir_ / "output/trip");  // as typed
}

// The frame and the objects window with the main window.
class MainWindowFrame : public MainWindow {
 protected:
  MainWindowFrame() {
    window_.OnPictureShown = [this] {
      ++shown_;
      shownIds_.push_back(window_.Strip().Current()->Id);
    };
  }
  // Selects the tile and waits until the frame shows it.
  void Show(int index) {
    const int before = shown_;
    window_.Strip().SelectTile(window_.Strip().TileAt(index));
    ASSERT_TRUE(test::WaitFor([&] { return shown_ > before; }));
  }
  std::vector<std::string> Labels() {
    std::vector<std::string> labels;
    TO_img_frame& frame = window_.Frame();
    for (int i = 0; i < frame.PointerCount(); ++i)
      labels.push_back(frame.StateOf(*frame.PointerAt(i)).properties.label);
    return labels;
  }
  // The objects window set to add (0), edit (1) or delete (2).
  void Objects(int mode) {
    forms_.objects.show();
    forms_.objects.SetActionMode(mode);
    test::Settle();
  }
  int shown_ = 0;
  std::vector<std::string> shownIds_;
};

TEST_F(MainWindowFrame, QuickSelectionsShowOnlyTheLastPictureOnce) {
  ASSERT_TRUE(Open(ProjectFile("quick.vxpr", 5)));
  for (int i = 0; i < 5; ++i) window_.Strip().SelectTile(window_.Strip().TileAt(i));
  ASSERT_TRUE(test::WaitFor([&] { return shown_ > 0; }));
  Fl::wait(0.5);
  Fl::wait(0.5);
  EXPECT_EQ(shownIds_, std::vector<std::string>{"ID4"});
  EXPECT_EQ(window_.Frame().Picture().Width(), 320);
  EXPECT_EQ(Labels(), std::vector<std::string>{"Cloud 4"});
  EXPECT_TRUE(window_.Tools().Find("Objects")->active());
}

TEST_F(MainWindowFrame, ThePictureIsShownUprightAndStartsTheIcon) {
  window_.FirstActivation();
  EXPECT_EQ(window_.CurrentPicture(), nullptr);
  // Stored on its side as a camera does: upright it is 300 wide and 400 high.
  const std::string turned =
      dir_.Write("graphics/turned.jpg",
                 test::WildJpeg(MakeSamplePicture(400, 300, 1), test::JpegShape::Plain, 6));
  window_.AddPictures({turned});
  ASSERT_TRUE(test::WaitFor([&] { return shown_ > 0; }));
  EXPECT_EQ((Size{window_.Frame().Picture().Width(), window_.Frame().Picture().Height()}),
            (Size{300, 400}));
  EXPECT_EQ(window_.CurrentPicture(), &window_.Frame().Picture());
  window_.DeleteTiles({window_.Strip().Current()});
  EXPECT_EQ(window_.CurrentPicture(), nullptr);
}

TEST_F(MainWindowFrame, AMissingPictureKeepsItsPointersOnThePlaceholder) {
  const std::string project = ProjectFile("missing.vxpr", 2);
  fs::remove(dir_ / "graphics/p1.jpg");
  ASSERT_TRUE(Open(project));
  Show(1);
  EXPECT_EQ(Labels(), std::vector<std::string>{"Cloud 1"});
  EXPECT_EQ(window_.CurrentPicture(), nullptr);  // nothing to make an icon of
  Show(0);
  EXPECT_EQ(window_.CurrentPicture(), &window_.Frame().Picture());
}

TEST_F(MainWindowFrame, AddedPointersStayWithTheirTileAcrossMovesAndResizes) {
  ASSERT_TRUE(Open(ProjectFile("edit.vxpr", 2)));
  Show(0);
  Objects(0);
  const Point origin = window_.Frame().PictureOrigin();
  test::Click(window_, origin.x + 30, origin.y + 40);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"Cloud 0", "Some comment 30:40"}));
  EXPECT_TRUE(window_.Changed());
  const PointerProperties added = window_.Frame().StateOf(*window_.Frame().PointerAt(1)).properties;
  EXPECT_EQ(added.text, forms_.settings.User().ColorOf("CLR_TXT"));
  EXPECT_EQ(added.brush, forms_.settings.User().ColorOf("CLR_BRUSH"));

  Show(1);
  EXPECT_EQ(Labels(), std::vector<std::string>{"Cloud 1"});
  Show(0);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"Cloud 0", "Some comment 30:40"}));
  const int before = shown_;
  window_.resize(window_.x(), window_.y(), window_.w() - 100, window_.h() - 50);
  ASSERT_TRUE(test::WaitFor([&] { return shown_ > before; }));
  EXPECT_EQ(Labels(), (std::vector<std::string>{"Cloud 0", "Some comment 30:40"}));
  test::SaveWindowPng(window_, "builder-main-window-pointers.png");

  window_.PSaveClick();
  TKelPigger saved;
  saved.LoadFromFile(window_.FileName());
  EXPECT_EQ(saved.Child(0)->FindChild("PNTRS")->ChildCount(), 2);
  EXPECT_EQ(saved.Child(1)->FindChild("PNTRS")->ChildCount(), 1);
}

TEST_F(MainWindowFrame, DeletingCheckedTilesKeepsTheCurrentTilesPointers) {
  ASSERT_TRUE(Open(ProjectFile("checked.vxpr", 3)));
  Show(2);
  PointerProperties cloud;
  cloud.label = "Kept";
  window_.Frame().AddPointer({10, 10}, cloud, true);
  window_.Strip().TileAt(0)->SetChecked(true);
  window_.Strip().TileAt(1)->SetChecked(true);
  forms_.sureDel.RB_checked().setonly();
  sureAnswers_ = {true};
  window_.PDeletepictureClick();
  ASSERT_EQ(Footers(), std::vector<std::string>{"Footer 2"});
  EXPECT_EQ(window_.Strip().Current(), nullptr);
  TKelPigger pointers;
  pointers.LoadFromText(window_.Strip().TileAt(0)->PointersText);
  ASSERT_EQ(pointers.ChildCount(), 2);
  EXPECT_EQ(pointers.Child(1)->GetAttr("ARRTXT"), "Kept");
}

TEST_F(MainWindowFrame, EscapeKeepsTheWindowAndClosingItClosesTheObjectsWindow) {
  ASSERT_TRUE(Open(ProjectFile("close.vxpr", 1)));
  Objects(0);
  test::Key(window_, FL_Escape);
  EXPECT_TRUE(window_.shown());
  window_.PExitClick();
  EXPECT_FALSE(window_.shown());
  EXPECT_FALSE(forms_.objects.shown());
}

TEST_F(MainWindowFrame, ObjectsWindowDeletesAPointerOnceAsked) {
  ASSERT_TRUE(Open(ProjectFile("objects.vxpr", 1)));
  Show(0);
  window_.SetChanged(false);
  // With the objects window hidden a click on a pointer shows it, set to edit.
  forms_.objects.SetActionMode(2);
  forms_.objects.hide();
  window_.PointerClicked(*window_.Frame().PointerAt(0));
  EXPECT_TRUE(forms_.objects.visible());
  EXPECT_EQ(forms_.objects.ActionMode(), 1);

  Objects(2);
  sureAnswers_ = {false, true};
  window_.PointerClicked(*window_.Frame().PointerAt(0));
  ASSERT_TRUE(test::WaitFor([&] { return asked_.size() == 1; }));
  EXPECT_EQ(asked_[0], "Delete the object labeled\n\"Cloud 0\" ?");
  EXPECT_EQ(Labels(), std::vector<std::string>{"Cloud 0"});
  EXPECT_FALSE(window_.Changed());
  window_.PointerClicked(*window_.Frame().PointerAt(0));
  ASSERT_TRUE(test::WaitFor([&] { return Labels().empty(); }));
  EXPECT_TRUE(window_.Changed());
}

TEST_F(MainWindowFrame, AnEditedAreaOffersThePassword) {
  ASSERT_TRUE(Open(ProjectFile("edited.vxpr", 1)));
  Show(0);
  window_.Frame().AddPointer({40, 40}, NewPointer(3, "Area", 0, 0, 0), false);
  auto script = dialogs_->onModal;
  dialogs_->onModal = [&](Fl_Window& dialog) {
    if (&dialog != &forms_.editObj) return script(dialog);
    forms_.editObj.Edit_text().value("Edited");
    test::ClickOn(forms_.editObj.btn_ok());
  };
  Objects(1);
  window_.PointerClicked(*window_.Frame().PointerAt(0));
  test::Settle();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"Edited", "Area"}));
  EXPECT_TRUE(asked_.empty()) << "a cloud needs no password";
  window_.PointerClicked(*window_.Frame().PointerAt(1));
  ASSERT_TRUE(test::WaitFor([&] { return asked_.size() == 1; }));
  EXPECT_EQ(asked_[0],
            "Protected areas need password to be unlocked.\nSet the password for the archive now?");
  EXPECT_TRUE(window_.Changed());
}

// The whole way of a person's first archive: a new project without the wizard, five photos, a
// cloud, an arrow and a protected area, a password, save, make; the archive carries all of it
// and opens the area with the password.
TEST_F(MainWindowFrame, FirstArchiveFromNewProjectToLockedArea) {
  window_.FirstActivation();
  std::vector<std::string> photos;
  for (int i = 0; i < 5; ++i)
    photos.push_back(Picture("photo" + std::to_string(i) + ".jpg", 10 + i, 640, 480));
  window_.AddPictures(photos);
  WaitIdle();
  Show(0);
  Objects(0);
  const struct {
    int kind;
    Point at;
  } placed[] = {{1, {100, 100}}, {2, {300, 200}}, {3, {200, 350}}};
  for (const auto& p : placed) {
    forms_.objects.ComboBox1().value(p.kind - 1);
    const Point origin = window_.Frame().PictureOrigin();
    test::Click(window_, origin.x + p.at.x, origin.y + p.at.y);
  }
  ASSERT_EQ(window_.Frame().PointerCount(), 3);
  // The area asks for a password, and the properties open on their password page.
  ASSERT_TRUE(test::WaitFor([&] { return asked_.size() == 1; }));
  EXPECT_EQ(asked_[0],
            "Protected areas need password to be unlocked.\nSet the password for the archive now?");
  EXPECT_TRUE(window_.Properties().password.empty());
  sureAnswers_ = {true};
  onProperties_ = [&](TF_edit_prj& dialog) {
    EXPECT_EQ(dialog.ActivePage(), TF_edit_prj::Page::PasswordedAreas);
    dialog.PasswordEdit().value("secret");
    dialog.btn_okClick();
  };
  forms_.objects.ComboBox1().value(2);
  const Point origin = window_.Frame().PictureOrigin();
  test::Click(window_, origin.x + 500, origin.y + 50);
  ASSERT_TRUE(test::WaitFor([&] { return asked_.size() == 2; }));
  test::Settle();
  EXPECT_EQ(window_.Properties().password, "secret");
  EXPECT_EQ(window_.Properties().outputKind, "0");
  window_.Frame().RemovePointer(window_.Frame().PointerAt(3), true);
  window_.PSaveClick();
  bool idle = false;
  window_.OnIdle = [&] { idle = true; };
  window_.PBuildonlyClick();
  ASSERT_TRUE(test::WaitFor([&] { return idle; }));
  EXPECT_TRUE(shown_ > 0);

  EXPECT_EQ(window_.Properties().outputFile,
            dir_ / ("output/Project1" + std::string(kExecutableExtension)));
  const ArchiveImage image(window_.Properties().outputFile);
  viewer::ArchiveSession session([&](std::string_view name) { return image.ReadBlock(name); });
  ASSERT_TRUE(session.LoadDescription());
  ASSERT_EQ(session.Document().ChildCount(), 5);
  const TKelPigger& frame = *session.Document().Child(0);
  const TKelPigger* pointers = frame.FindChild("PNTRS");
  ASSERT_NE(pointers, nullptr);
  ASSERT_EQ(pointers->ChildCount(), 3);
  EXPECT_EQ(pointers->Child(0)->Name, "CLD");
  EXPECT_EQ(pointers->Child(1)->Name, "ARR");
  EXPECT_EQ(pointers->Child(2)->Name, "PRAR");
  EXPECT_EQ(pointers->Child(2)->GetAttr("ARRTXT"), "Some comment 200:350");

  // Inside the area: blacked out for anyone, the photo again with the password.
  const std::string id = frame.GetAttr("FRAME_ID");
  const Point inside{200 + 150, 350 + 27};
  AreaLock lock;
  const auto locked = session.LoadFramePicture(id, JpegScale::Full, lock);
  ASSERT_TRUE(locked);
  EXPECT_EQ(session.Password().Check("wrong", lock), PasswordCheck::Wrong);
  ASSERT_EQ(session.Password().Check("secret", lock), PasswordCheck::Right);
  const auto opened = session.LoadFramePicture(id, JpegScale::Full, lock);
  ASSERT_TRUE(opened);
  const Bitmap original = DecodeJpeg(ReadWholeFile(photos[0]));
  auto near = [](Color a, Color b) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
          40)
        return false;
    }
    return true;
  };
  EXPECT_EQ(locked->Pixel(inside.x, inside.y) & 0xF0F0F0, 0u);
  EXPECT_TRUE(near(opened->Pixel(inside.x, inside.y), original.Pixel(inside.x, inside.y)));
}

TEST(DroppedFiles, FileManagerTexts) {
  const struct {
    const char* what;
    const char* text;
    std::vector<std::string> files;
  } cases[] = {
      {"URIs a line", "file:///a/b.jpg\r\nfile:///c.png\r\n", {"/a/b.jpg", "/c.png"}},
      {"escapes", "file:///a%20b/%C3%A9.jpg", {"/a b/\xC3\xA9.jpg"}},
      {"a broken escape stays", "file:///a%2", {"/a%2"}},
      {"a host names the path after it", "file://localhost/x.jpg", {"/x.jpg"}},
      {"plain paths", "/x.jpg\n/y.jpg", {"/x.jpg", "/y.jpg"}},
      {"other schemes are left out", "http://example.org/a.jpg\nfile:///b.jpg", {"/b.jpg"}},
      {"nothing", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(DroppedFiles(c.text), c.files) << c.what;
}

}  // namespace
}  // namespace vx::builder
