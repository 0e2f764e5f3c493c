// Undo, redo and the recovery file of the builder's main window, driven through its widgets.
#include <FL/Fl.H>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "builder/builder_test.h"  // gtest before the window headers
#include "document/conversions.h"
#include "main_window.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "platform/process.h"
#include "sample_pictures.h"

namespace vx::builder {
namespace {

namespace fs = std::filesystem;

// The id of a process that has ended and been reaped.
int EndedProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

class UndoRedo : public test::BuilderTest {
 public:
  std::string Picture(const std::string& name, int seed = 1) {
    return dir_.Write("graphics/" + name, *EncodeJpeg(MakeSamplePicture(160, 120, seed), 85));
  }
  // A project as the builder writes it: three pictures with footers, fields and a pointer.
  std::string ProjectFile(const std::string& name) {
    ProjectState state;
    state.properties.outputKind = "0";
    state.properties.jpegQuality = "65";
    state.stripWidth = 200;
    for (int i = 0; i < 3; ++i) {
      const std::string n = std::to_string(i);
      state.frames.push_back({"ID" + n, Picture("p" + n + ".jpg", i), "Footer " + n,
                              "\r\n<FLDS>Text " + n + "\r\n</FLDS>\r\n",
                              "\r\n<PNTRS>\r\n\t<CLD OBJ_ID=\"O" + n + "\" XR=\"" +
                                  RealToText(0.5) + "\" YR=\"" + RealToText(0.5) +
                                  "\" ARRTXT=\"Cloud " + n + "\"/>\r\n</PNTRS>\r\n"});
    }
    const std::string path = dir_ / ("projects/" + name);
    WriteFileAtomically(path, ProjectText(state));
    return path;
  }

  // The builder's window, and the scripted answers of its own dialogs.
  void Open(TFmain& window, Forms& forms, const std::string& path) {
    window.show();
    test::Settle();
    dialogs_->onModal = [&forms, this](Fl_Window& dialog) {
      if (&dialog == &forms.sure) static_cast<TFsure&>(dialog).OKBtnClick();
      if (&dialog == &forms.editPrj && onProperties_) onProperties_(forms.editPrj);
      // A new field, Field1, confirmed in its editor and then in the fields dialog.
      if (&dialog == &forms.fields) {
        test::ClickOn(forms.fields.AddButton());
        test::ClickOn(forms.fields.OkButton());
      }
      if (&dialog == &forms.fieldEditor) test::ClickOn(forms.fieldEditor.OkButton());
      if (&dialog == &forms.editObj) {
        forms.editObj.Edit_text().value("Edited cloud");
        test::ClickOn(forms.editObj.btn_ok());
      }
    };
    ASSERT_TRUE(window.LoadProject(path));
    window.SetFileName(path);
    WaitIdle(window);
  }
  static void WaitIdle(TFmain& window) {
    ASSERT_TRUE(test::WaitFor([&] { return !window.Busy(); }));
    test::Settle();
  }
  // What saving the window now would write.
  static std::string SavedText(TFmain& window) {
    window.ViewToDocument();
    return window.Document().SaveToText();
  }
  static void Shortcut(TFmain& window, int key, int state) {
    Fl::e_keysym = key;
    Fl::e_text = const_cast<char*>("");
    Fl::e_length = 0;
    Fl::e_state = state;
    Fl::handle(FL_KEYDOWN, &window);
    Fl::e_state = 0;
    Fl::handle(FL_KEYUP, &window);
    WaitIdle(window);
  }
  static void ClickTool(TFmain& window, const char* caption) {
    test::ClickOn(*window.Tools().Find(caption));
    WaitIdle(window);
  }
  static Point TileCentre(TFmain& window, int index) {
    const ui::TO_img_item& tile = *window.Strip().TileAt(index);
    return {tile.x() + tile.w() / 2, tile.y() + tile.h() / 2};
  }

  // Edits through the widgets, each one user action.
  void AddThreePictures(TFmain& window) {
    dialogs_->filesToOpen = {Picture("a.jpg", 7), Picture("b.jpg", 8), Picture("c.jpg", 9)};
    ClickTool(window, "Add.Pict.");
  }
  static void DeleteSecond(TFmain& window) {
    const Point at = TileCentre(window, 1);
    test::Click(window, at.x, at.y);
    test::Key(window, FL_Delete);
    WaitIdle(window);
  }
  static void MoveFirstToSecond(TFmain& window) {
    test::Key(window, FL_Home);  // the first tile in sight
    const Point from = TileCentre(window, 0);
    const Point to = TileCentre(window, 1);
    test::DragTo(window, from.x, from.y, to.x, to.y);
    WaitIdle(window);
  }
  void SetPassword(TFmain& window) {
    onProperties_ = [](TF_edit_prj& dialog) {
      dialog.PasswordEdit().value("a new password");
      dialog.btn_okClick();
    };
    ClickTool(window, "Project");
  }
  static void DescribeFirst(TFmain& window) {
    test::Key(window, FL_Home);
    ClickTool(window, "Fields");
  }
  // The first picture in the frame, with its cloud.
  static TMhint& ShowFirst(TFmain& window) {
    test::Key(window, FL_Home);
    EXPECT_TRUE(test::WaitFor([&] { return window.Frame().PointerCount() == 1; }));
    test::Settle();
    return *window.Frame().PointerAt(0);
  }
  static void Objects(Forms& forms, int mode) {
    forms.objects.show();
    forms.objects.SetActionMode(mode);
    test::Settle();
  }
  static void DragCloud(TFmain& window) {
    const TMhint& cloud = ShowFirst(window);
    const Point from{cloud.x() + cloud.w() / 2, cloud.y() + 8};
    test::DragTo(window, from.x, from.y, from.x + 40, from.y + 30);
  }
  static void AddCloud(TFmain& window, Forms& forms) {
    ShowFirst(window);
    Objects(forms, 0);
    const Point origin = window.Frame().PictureOrigin();
    test::Click(window, origin.x + 30, origin.y + 40);
  }
  static void ClickCloud(TFmain& window, Forms& forms, int mode) {
    const TMhint& cloud = ShowFirst(window);
    Objects(forms, mode);
    test::Click(window, cloud.x() + cloud.w() / 2, cloud.y() + 8);
    // A deletion is asked once the click is over.
    test::WaitFor([&] { return mode != 2 || window.Frame().PointerCount() == 0; });
  }
  static std::vector<std::string> Labels(TFmain& window) {
    std::vector<std::string> labels;
    TO_img_frame& frame = window.Frame();
    for (int i = 0; i < frame.PointerCount(); ++i)
      labels.push_back(frame.StateOf(*frame.PointerAt(i)).properties.label);
    return labels;
  }
  static void WidenStrip(TFmain& window) {
    const ui::TO_img_items& strip = window.Strip();
    const int x = strip.x() + strip.w() + 2, y = strip.y() + strip.h() / 2;
    test::DragTo(window, x, y, x + 60, y);
    WaitIdle(window);
  }

  std::function<void(TF_edit_prj&)> onProperties_;
};

TEST_F(UndoRedo, EachKindOfChangeIsOneStepBackAndForth) {
  struct Case {
    const char* what;
    void (*act)(UndoRedo&, TFmain&, Forms&);
    bool framed;  // the first picture is in the frame
  };
  const Case kCases[] = {
      {"three pictures added at once",
       [](UndoRedo& t, TFmain& w, Forms&) { t.AddThreePictures(w); }, false},
      {"a picture deleted", [](UndoRedo&, TFmain& w, Forms&) { DeleteSecond(w); }, false},
      {"a tile dragged onto another", [](UndoRedo&, TFmain& w, Forms&) { MoveFirstToSecond(w); },
       false},
      {"the properties confirmed", [](UndoRedo& t, TFmain& w, Forms&) { t.SetPassword(w); }, false},
      {"the strip widened", [](UndoRedo&, TFmain& w, Forms&) { WidenStrip(w); }, false},
      {"a field added and confirmed", [](UndoRedo&, TFmain& w, Forms&) { DescribeFirst(w); },
       false},
      {"a pointer dragged", [](UndoRedo&, TFmain& w, Forms&) { DragCloud(w); }, true},
      {"a pointer added where the picture is pressed",
       [](UndoRedo&, TFmain& w, Forms& f) { AddCloud(w, f); }, true},
      {"a pointer edited", [](UndoRedo&, TFmain& w, Forms& f) { ClickCloud(w, f, 1); }, true},
      {"a pointer deleted", [](UndoRedo&, TFmain& w, Forms& f) { ClickCloud(w, f, 2); }, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Forms forms(Layout());
    TFmain window(forms);
    Open(window, forms, ProjectFile("trip.vxpr"));
    const std::string opened = SavedText(window);
    EXPECT_FALSE(window.Tools().Find("Undo")->active());
    EXPECT_FALSE(window.MenuItem("Edit/Undo")->active());

    c.act(*this, window, forms);
    const std::vector<std::string> labels = Labels(window);
    const std::string edited = SavedText(window);
    ASSERT_NE(edited, opened);
    EXPECT_TRUE(window.Changed());
    EXPECT_EQ(window.History().StateCount(), 2u) << "one step";
    EXPECT_TRUE(window.Tools().Find("Undo")->active());
    EXPECT_FALSE(window.Tools().Find("Redo")->active());

    Shortcut(window, 'z', FL_CTRL);
    EXPECT_EQ(SavedText(window), opened);
    if (c.framed) {
      EXPECT_EQ(Labels(window), std::vector<std::string>{"Cloud 0"});
    }
    EXPECT_FALSE(window.Changed());
    EXPECT_STREQ(window.StatusPanel(1).label(), "");
    EXPECT_TRUE(window.MenuItem("Edit/Redo")->active());
    Shortcut(window, 'y', FL_CTRL);
    EXPECT_EQ(SavedText(window), edited);
    if (c.framed) {
      EXPECT_EQ(Labels(window), labels);
    }
    EXPECT_TRUE(window.Changed());
    ClickTool(window, "Undo");
    EXPECT_EQ(SavedText(window), opened);
    Shortcut(window, 'z', FL_CTRL | FL_SHIFT);
    EXPECT_EQ(SavedText(window), edited);
    ClickTool(window, "Undo");
    // The tiles are those of the opened project, pictures and all.
    ASSERT_EQ(window.Strip().TileCount(), 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(window.Strip().TileAt(i)->Footer(), "Footer " + std::to_string(i));
      EXPECT_TRUE(window.Strip().TileAt(i)->Thumbnail());
    }
  }
}

TEST_F(UndoRedo, TheChangedMarkFollowsTheSavedState) {
  Forms forms(Layout());
  TFmain window(forms);
  Open(window, forms, ProjectFile("trip.vxpr"));
  AddThreePictures(window);
  Shortcut(window, 's', FL_CTRL);
  EXPECT_FALSE(window.Changed());
  MoveFirstToSecond(window);
  EXPECT_STREQ(window.StatusPanel(1).label(), "Changed");
  Shortcut(window, 'z', FL_CTRL);
  EXPECT_FALSE(window.Changed()) << "back at the saved state";
  EXPECT_STREQ(window.StatusPanel(1).label(), "");
  Shortcut(window, 'z', FL_CTRL);
  EXPECT_TRUE(window.Changed()) << "before the save";
  Shortcut(window, 'y', FL_CTRL);
  EXPECT_FALSE(window.Changed());
  // Closing unchanged asks nothing.
  window.PExitClick();
  EXPECT_TRUE(dialogs_->questions.empty());
}

// After any sequence of edits, undoing them all saves the opened file byte for byte.
TEST_F(UndoRedo, UndoingEverythingSavesTheOpenedBytes) {
  Forms forms(Layout());
  TFmain window(forms);
  const std::string path = ProjectFile("trip.vxpr");
  const std::string opened = ReadWholeFile(path);
  Open(window, forms, path);
  AddThreePictures(window);
  MoveFirstToSecond(window);
  DeleteSecond(window);
  SetPassword(window);
  WidenStrip(window);
  DescribeFirst(window);
  DragCloud(window);
  AddCloud(window, forms);
  MoveFirstToSecond(window);
  EXPECT_EQ(window.History().StateCount(), 10u);
  while (window.History().CanUndo()) Shortcut(window, 'z', FL_CTRL);
  EXPECT_FALSE(window.Changed());
  window.PSaveClick();
  EXPECT_EQ(ReadWholeFile(path), opened);
}

TEST_F(UndoRedo, LeftoverWorkIsOfferedAtStart) {
  const std::string path = ProjectFile("trip.vxpr");
  const std::string settings = SettingsFile();
  // A builder that ended without closing, and one whose work is older than its project.
  ProjectState edited{{}, 260, {}};
  edited.properties.outputKind = "0";
  edited.frames.push_back({"NEW", Picture("n.jpg", 3), "n.jpg", "", ""});
  const int gone = EndedProcess(), older = EndedProcess();
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(10));
  WriteRecoveryFile(RecoveryFilePath(settings, gone), path, gone, edited);
  WriteRecoveryFile(RecoveryFilePath(settings, older), dir_ / "projects/other.vxpr", older, edited);
  fs::last_write_time(RecoveryFilePath(settings, older),
                      fs::file_time_type::clock::now() - std::chrono::minutes(5));

  Forms forms(Layout());
  TFmain window(forms);
  window.show();
  dialogs_->answers = {false, true};  // not the newest, the older one
  window.Start(path);
  WaitIdle(window);
  ASSERT_EQ(dialogs_->questions.size(), 2u);
  EXPECT_TRUE(dialogs_->questions[0].starts_with("Recover unsaved changes of trip.vxpr from "))
      << dialogs_->questions[0];
  EXPECT_TRUE(dialogs_->questions[1].starts_with("Recover unsaved changes of other.vxpr from "));
  // Opened as a changed project under its own name; its file kept anew by this builder.
  EXPECT_EQ(window.FileName(), dir_ / "projects/other.vxpr");
  EXPECT_TRUE(window.Changed());
  EXPECT_EQ(window.Strip().TileCount(), 1);
  EXPECT_FALSE(FileExists(RecoveryFilePath(settings, gone)));
  EXPECT_FALSE(FileExists(RecoveryFilePath(settings, older)));
  const std::string own = RecoveryFilePath(settings, OwnProcessId());
  EXPECT_TRUE(FileExists(own));
  // Another change, kept a moment later; closed without saving: nothing is left to offer, then
  // or afterwards.
  window.RecoverySeconds = 0.05;
  ProjectProperties properties = window.Properties();
  properties.jpegQuality = "90";
  window.SetProperties(properties);
  EXPECT_TRUE(test::WaitFor([&] { return LoadRecoveredProject(own)->GetAttr("JPQ") == "90"; }));
  dialogs_->answers = {false};
  window.PExitClick();
  EXPECT_FALSE(FileExists(own));
  Fl::wait(0.2);
  EXPECT_FALSE(FileExists(own));
  EXPECT_FALSE(FileExists(dir_ / "projects/other.vxpr"));
}

// A builder process killed in the middle of its work; the next one offers what it had done.
TEST_F(UndoRedo, AKilledBuildersEditsAreRecovered) {
  const std::string path = ProjectFile("trip.vxpr");
  const std::string original = ReadWholeFile(path);
  const std::string expected = dir_ / "expected.txt";
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t builder = fork();
  if (builder == 0) {
    Forms forms(Layout());
    TFmain window(forms);
    window.RecoverySeconds = 0.1;
    Open(window, forms, path);
    AddThreePictures(window);
    MoveFirstToSecond(window);
    DeleteSecond(window);
    SetPassword(window);
    DescribeFirst(window);
    DragCloud(window);
    AddCloud(window, forms);
    // Once its recovery file holds the last edit, the builder tells and works on.
    const std::string text = SavedText(window);
    const std::string own = RecoveryFilePath(SettingsFile(), OwnProcessId());
    test::WaitFor([&] {
      try {
        return LoadRecoveredProject(own)->SaveToText() == text;
      } catch (const std::exception&) {
        return false;
      }
    });
    WriteFileAtomically(expected, text);
    [[maybe_unused]] auto written = write(ready[1], "1", 1);
    for (;;) Fl::wait(1);
  }
  pollfd told{ready[0], POLLIN, 0};
  const bool edited = poll(&told, 1, 30000) == 1;
  kill(builder, SIGKILL);
  waitpid(builder, nullptr, 0);
  ASSERT_TRUE(edited);
  EXPECT_EQ(ReadWholeFile(path), original) << "the project file itself is never written";

  Forms forms(Layout());
  TFmain window(forms);
  window.show();
  dialogs_->answers = {true};
  window.Start(path);
  WaitIdle(window);
  ASSERT_EQ(dialogs_->questions.size(), 1u);
  EXPECT_TRUE(dialogs_->questions[0].starts_with("Recover unsaved changes of trip.vxpr from "));
  EXPECT_TRUE(window.Changed());
  EXPECT_EQ(window.FileName(), path);
  EXPECT_EQ(SavedText(window), ReadWholeFile(expected));
  EXPECT_EQ(window.Properties().password, "a new password");
  EXPECT_FALSE(FileExists(RecoveryFilePath(SettingsFile(), builder)));
}

}  // namespace
}  // namespace vx::builder
