// Password entry, extraction and wallpaper in the viewer's window.
#include <cstdlib>

#include "picture/bmp_codec.h"
#include "platform/wallpaper.h"
#include "protection/protected_areas.h"
#include "strip/strip_geometry.h"
#include "support/test_archive.h"
#include "support/ui_events.h"
#include "support/viewer_window_test.h"

namespace vx::viewer {
namespace {

namespace fs = std::filesystem;
std::string AreaAndCloud(int i) {
  return "<PNTRS><CLD XR=0.5 YR=0.5 ARRTXT=cloud CL_BRUSH=#FFFF80/><PRAR OBJ_ID=A" +
         std::to_string(i) + " XR=0.25 YR=0.25 RFW=0.25 RFH=0.25 CL_BRUSH=#C0C0C0/></PNTRS>";
}

class Actions : public test::ViewerWindowTest {
 protected:
  void Open(const std::string& archive) { OpenArchive(archive); }
  void WaitForLoad() { WaitForNextPicture(); }
  TD_dialog_actions& Dialog() { return window_->ActionsDialog(); }
  void EnterPassword(const std::string& password, bool confirm = true) {
    dialogs_->onModal = [&, password, confirm](Fl_Window&) {
      Dialog().PasswordBox().value(password.c_str());
      if (confirm) {
        Dialog().SB_okClick();
      } else {
        Dialog().SB_cancelClick();
      }
    };
    window_->Image_keyClick();
    ASSERT_TRUE(WaitForPasswordCheck());
  }
  // Extracts with the choices made by the script.
  void ExtractWith(const std::function<void()>& choose) {
    dialogs_->onModal = [&, choose](Fl_Window&) {
      choose();
      Dialog().SB_okClick();
    };
    window_->SB_extractClick();
    WaitUntilIdle();
  }
  std::vector<std::string> Files(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
      if (e.is_regular_file()) files.push_back(fs::relative(e.path(), folder).string());
    }
    std::sort(files.begin(), files.end());
    return files;
  }
};

TEST_F(Actions, WrongThenRightPasswordAndTheLink) {
  Open(test::MakeTestArchive(dir_, "PWDLT=\"Get it here\" PWDLH=shop.example",
                             test::SampleFrames(dir_, 2, {320, 240}, AreaAndCloud), "secret"));
  ASSERT_TRUE(window_->Locked());
  EnterPassword("wrong");
  EXPECT_TRUE(Dialog().LinkVisible());
  EXPECT_TRUE(window_->Locked());
  EXPECT_TRUE(window_->Key().visible());
  EXPECT_EQ(dialogs_->messages, std::vector<std::string>{kWrongPassword});

  EnterPassword("secret");
  EXPECT_FALSE(window_->Locked());
  EXPECT_FALSE(window_->Key().visible());
  WaitForLoad();
  // The area is back exactly as the source picture had it.
  const Bitmap source = DecodeJpeg(ReadWholeFile(dir_ / "p0.jpg"));
  const Bitmap& shown = window_->View().Model().DecodedPicture();
  TKelPigger frame;
  frame.LoadFromText(window_->View().Model().Frame().SaveToText());
  const Rect area = AreaRectangle(*frame.FindChild("PNTRS")->Child(1), 320, 240);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x)
      ASSERT_EQ(shown.Pixel(x, y), source.Pixel(x, y)) << x << "," << y;
  }

  // A later entry that is cancelled leaves the box empty: the next rebuild locks again.
  EnterPassword("secret", false);
  EXPECT_EQ(window_->PasswordText(), "");
  window_->Rebuild();
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_TRUE(window_->Locked());
}

// After the right password the thumbnails show their areas too: made again in the
// background, in the tiles there are, without a rebuild.
TEST_F(Actions, RightPasswordRestoresTheThumbnailsInPlace) {
  Open(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 3, {320, 240}, AreaAndCloud),
                             "secret"));
  ui::TO_img_item* tile = window_->Strip().TileAt(2);
  const Size size = tile->ThumbnailSize();
  const Point inArea{size.width * 3 / 8, size.height * 3 / 8};
  EXPECT_EQ(tile->Thumbnail()->Pixel(inArea.x, inArea.y) & 0xF0F0F0, 0u);  // blacked out
  const int decoded = window_->ThumbnailsDecoded();
  EnterPassword("secret");
  ASSERT_TRUE(test::WaitFor([&] { return !window_->RestoringThumbnails(); }));
  EXPECT_EQ(window_->Strip().TileAt(2), tile);
  EXPECT_EQ(window_->ThumbnailsDecoded(), decoded);  // no fill ran
  Bitmap source = DecodeJpeg(ReadWholeFile(dir_ / "p2.jpg"), JpegScale::Quarter);
  const Color expected = strip::MakeThumbnail(source, size).Pixel(inArea.x, inArea.y);
  const Color shown = tile->Thumbnail()->Pixel(inArea.x, inArea.y);
  for (int shift : {0, 8, 16})
    EXPECT_NEAR((shown >> shift) & 0xFF, (expected >> shift) & 0xFF, 24) << shift;
  // A rebuild finds them made already.
  window_->Rebuild();
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window_->ThumbnailsDecoded(), 0);
}

// The password, extraction, filter and print dialogs open centred on the screen, at a size
// the user cannot drag; the password dialog says what it asks for.
TEST_F(Actions, DialogsAreCentredFixedAndTitled) {
  Open(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 1, {64, 48}, AreaAndCloud),
                             "secret"));
  std::vector<std::string> titles;
  dialogs_->onModal = [&](Fl_Window& dialog) {
    int x = 0, y = 0, w = 0, h = 0;
    Fl::screen_work_area(x, y, w, h);
    titles.push_back(dialog.label() ? dialog.label() : "");
    EXPECT_EQ(dialog.x(), x + (w - dialog.w()) / 2) << titles.back();
    EXPECT_EQ(dialog.y(), y + (h - dialog.h()) / 2) << titles.back();
    EXPECT_EQ(dialog.resizable(), nullptr) << titles.back();
  };
  window_->Image_keyClick();
  window_->SB_extractClick();
  window_->SB_filterClick();
  window_->SB_prntClick();
  EXPECT_EQ(titles,
            (std::vector<std::string>{"Password", "Extraction", "Filter", "Print picture"}));
}

// Either protection: a wrong password restores nothing anywhere (an extraction without
// pointers keeps the area black, never noise), the right one restores it.
TEST_F(Actions, OnlyAVerifiedPasswordRestoresAreasInExtraction) {
  for (const char* protection : {"PROTECTION=strong", "PROTECTION=compatible"}) {
    test::TempFolder dir;
    OpenArchive(test::MakeTestArchive(
        dir, protection, test::SampleFrames(dir, 1, {64, 48}, AreaAndCloud), "secret"));
    const auto extractedCentre = [&](const std::string& name) {
      ExtractWith([&] {
        Dialog().PathBox().value((dir / name).c_str());
        Dialog().SetChoice(TD_dialog_actions::What::Current);
        Dialog().PointersBox().value(0);
      });
      return DecodeJpeg(ReadWholeFile(dir / (name + "/p0.jpg"))).Pixel(20, 15);
    };
    const Color source = DecodeJpeg(ReadWholeFile(dir / "p0.jpg")).Pixel(20, 15);
    EnterPassword("secreT");
    EXPECT_TRUE(window_->Locked()) << protection;
    EXPECT_EQ(extractedCentre("wrong") & 0xF0F0F0, 0u) << protection;
    EnterPassword("secret");
    EXPECT_FALSE(window_->Locked()) << protection;
    const Color restored = extractedCentre("right");
    for (int shift : {0, 8, 16})
      EXPECT_NEAR((restored >> shift) & 0xFF, (source >> shift) & 0xFF, 16) << protection;
    window_->hide();
    window_.reset();
  }
}

TEST_F(Actions, PasswordIsCheckedWhileTheWindowKeepsPainting) {
  // Heavy work factors, so that the check lasts while the window is used.
  Open(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 2, {64, 48}, AreaAndCloud),
                             "secret", {6, 256 * 1024}));
  const auto typeAndConfirm = [&](const char* password) {
    dialogs_->onModal = [&, password](Fl_Window&) {
      Dialog().PasswordBox().value(password);
      Dialog().SB_okClick();
    };
    window_->Image_keyClick();
    dialogs_->onModal = {};
  };
  typeAndConfirm("secret");
  ASSERT_TRUE(window_->CheckingPassword());
  EXPECT_FALSE(window_->Key().active());
  EXPECT_EQ(Dialog().PasswordText(), "");  // the typed password is not kept in the box

  // Meanwhile the window paints, and another picture is selected, loaded and shown.
  window_->redraw();
  EXPECT_TRUE(test::WaitFor([&] { return window_->damage() == 0; }));
  window_->Strip().SelectTile(window_->Strip().TileAt(1));
  ASSERT_TRUE(WaitForNextPicture());
  EXPECT_TRUE(window_->CheckingPassword());
  test::SaveWindowPng(*window_, "viewer-checking-password.png");
  window_->Image_keyClick();  // one check at a time: no second dialog
  EXPECT_EQ(dialogs_->modalRuns, 1);

  ASSERT_TRUE(WaitForPasswordCheck());
  EXPECT_FALSE(window_->Locked());
  EXPECT_TRUE(window_->Key().active());
  EXPECT_TRUE(dialogs_->messages.empty());

  // A window closed while a check runs waits for it and takes no answer.
  window_->SetLocked(true);
  typeAndConfirm("wrong");
  ASSERT_TRUE(window_->CheckingPassword());
  window_->hide();
  window_.reset();
  Fl::wait(0.1);
  EXPECT_TRUE(dialogs_->messages.empty());
}

TEST_F(Actions, EnterConfirmsAndTheLinkNeedsBothTexts) {
  Open(test::MakeTestArchive(dir_, "PWDLT=\"  \" PWDLH=shop.example",
                             test::SampleFrames(dir_, 1, {64, 48}, AreaAndCloud), "secret"));
  dialogs_->onModal = [&](Fl_Window&) {
    Dialog().PasswordBox().value("secret");
    Fl::e_keysym = FL_Enter;
    Fl::e_text = const_cast<char*>("\r");
    Fl::e_length = 1;
    Dialog().PasswordBox().handle(FL_KEYBOARD);
  };
  window_->Image_keyClick();
  ASSERT_TRUE(WaitForPasswordCheck());
  EXPECT_FALSE(Dialog().LinkVisible());
  EXPECT_FALSE(window_->Locked());
}

TEST_F(Actions, ExtractsCurrentCheckedAndAllPictures) {
  // Two pictures share a file name in different folders.
  fs::create_directories(dir_.Path() / "Rome");
  fs::create_directories(dir_.Path() / "Paris");
  std::string frames = test::SampleFrames(dir_, 2, {64, 48}, AreaAndCloud);
  fs::copy_file(dir_ / "p0.jpg", dir_ / "Rome/a.jpg");
  fs::copy_file(dir_ / "p1.jpg", dir_ / "Paris/a.jpg");
  // Identifiers are never prefixes of other block names ("P" would be one of "PIG_TXT").
  frames = "<FRAME FRAME_ID=ROME1 SRC_FILE=\"" + dir_ / "Rome/a.jpg" +
           "\"/><FRAME FRAME_ID=PARIS1 SRC_FILE=\"" + dir_ / "Paris/a.jpg" + "\"/>" + frames;
  Open(test::MakeTestArchive(dir_, "", frames));
  const fs::path out = dir_.Path() / "out";

  ExtractWith([&] {
    Dialog().PathBox().value((out / "current").c_str());
    Dialog().SetChoice(TD_dialog_actions::What::Current);
  });
  EXPECT_EQ(Files(out / "current"), std::vector<std::string>{"a.jpg"});
  // Nothing drawn: the stored JPEG goes out unchanged.
  EXPECT_EQ(ReadWholeFile((out / "current/a.jpg").string()),
            std::string(image_->ReadBlock("ROME1")));

  ExtractWith([&] {
    Dialog().PathBox().value((out / "checked").c_str());
    Dialog().SetChoice(TD_dialog_actions::What::Checked);
  });
  EXPECT_TRUE(Files(out / "checked").empty());  // nothing checked: only the folder
  EXPECT_TRUE(fs::is_directory(out / "checked"));

  window_->Strip().TileAt(3)->SetChecked(true);
  ExtractWith([&] {
    Dialog().PathBox().value((out / "checked").c_str());
    Dialog().SetChoice(TD_dialog_actions::What::Checked);
  });
  EXPECT_EQ(Files(out / "checked"), std::vector<std::string>{"p1.jpg"});

  ExtractWith([&] {
    Dialog().PathBox().value((out / "flat").c_str());
    Dialog().SetChoice(TD_dialog_actions::What::All);
    Dialog().PointersBox().value(0);
  });
  // The two a.jpg do not overwrite each other.
  EXPECT_EQ(Files(out / "flat"),
            (std::vector<std::string>{"a (2).jpg", "a.jpg", "p0.jpg", "p1.jpg"}));

  ExtractWith([&] {
    Dialog().PathBox().value((out / "tree").c_str());
    Dialog().RelativePathBox().value(1);
    Dialog().PointersBox().value(1);
  });
  EXPECT_EQ(Files(out / "tree"),
            (std::vector<std::string>{"Paris/a.jpg", "Rome/a.jpg", "p0.jpg", "p1.jpg"}));
  // Pointers drawn: the cloud's yellow shows in the picture.
  const Bitmap withPointers = DecodeJpeg(ReadWholeFile((out / "tree/p0.jpg").string()));
  EXPECT_EQ(withPointers.Width(), 64);
  EXPECT_EQ(dialogs_->messages.back(), "4 pictures saved to " + (out / "tree").string() + ".");
  EXPECT_TRUE(dialogs_->questions.empty());
}

// A file already in the folder is replaced only when the user says so; a folder that cannot
// be made is told in a plain sentence.
TEST_F(Actions, ExtractionNeverReplacesWithoutAskingAndSaysWhatHappened) {
  Open(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 2, {64, 48})));
  const fs::path out = dir_.Path() / "out";
  fs::create_directories(out);
  const auto all = [&](const fs::path& folder) {
    ExtractWith([&] {
      Dialog().PathBox().value(folder.c_str());
      Dialog().SetChoice(TD_dialog_actions::What::All);
      Dialog().PointersBox().value(0);
      Dialog().RelativePathBox().value(0);
    });
  };
  WriteFileAtomically((out / "p0.jpg").string(), "MINE");
  dialogs_->answers = {true};  // keep them: what Enter answers
  all(out);
  ASSERT_EQ(dialogs_->questions.size(), 1u);
  EXPECT_NE(dialogs_->questions[0].find("(p0.jpg). Keep it and save"), std::string::npos);
  EXPECT_EQ(ReadWholeFile((out / "p0.jpg").string()), "MINE");
  EXPECT_EQ(Files(out), (std::vector<std::string>{"p0 (2).jpg", "p0.jpg", "p1.jpg"}));
  EXPECT_EQ(dialogs_->messages.back(), "2 pictures saved to " + out.string() + ".");

  dialogs_->answers = {false};
  all(out);
  EXPECT_EQ(ReadWholeFile((out / "p0.jpg").string()), std::string(image_->ReadBlock("F0")));
  EXPECT_EQ(Files(out).size(), 3u);

  WriteFileAtomically((dir_.Path() / "blocked").string(), "a file, not a folder");
  all(dir_.Path() / "blocked" / "pictures");
  EXPECT_EQ(dialogs_->messages.back(), "No pictures were saved: the folder " +
                                           (dir_.Path() / "blocked" / "pictures").string() +
                                           " could not be made, as a file stands where a folder "
                                           "of its path should be.");
  EXPECT_FALSE(window_->Busy());
}

// The window looks ready while thumbnails still come in: extracting then starts at once,
// and the strip goes on filling behind the busy panel.
TEST_F(Actions, ExtractsWhileTheStripFills) {
  Open(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 30, {64, 48})));
  blockDelay_ = std::chrono::milliseconds(10);
  window_->SetStripWidth(window_->StripWidth() + Scaled(20));  // no thumbnail from the cache
  window_->Rebuild();
  ASSERT_TRUE(window_->Busy());
  const fs::path out = dir_.Path() / "out";
  ExtractWith([&] {
    Dialog().PathBox().value(out.c_str());
    Dialog().SetChoice(TD_dialog_actions::What::All);
  });
  EXPECT_EQ(Files(out).size(), 30u);
  EXPECT_EQ(dialogs_->messages.back(), "30 pictures saved to " + out.string() + ".");
  for (int k = 0; k < 30; ++k) EXPECT_TRUE(window_->Strip().TileAt(k)->Thumbnail()) << k;
}

TEST_F(Actions, HostileSourcePathsNeverLeaveTheFolder) {
  std::string frames = test::SampleFrames(dir_, 3, {32, 24});
  Open(test::MakeTestArchive(dir_, "", frames));
  // Rewrite the description's paths as a hostile archive would have them.
  TKelPigger& document = session_->Document();
  const char* hostile[] = {"..\\..\\..\\escape.jpg", "/tmp/vx-escape.jpg",
                           "C:\\..\\..\\x\\..\\..\\deep.jpg"};
  for (int i = 0; i < 3; ++i) document.Child(i)->SetAttr("SRC_FILE", hostile[i]);
  const fs::path out = dir_.Path() / "deep" / "inside";
  for (int relative = 0; relative < 2; ++relative) {
    ExtractWith([&] {
      Dialog().PathBox().value(out.c_str());
      Dialog().SetChoice(TD_dialog_actions::What::All);
      Dialog().RelativePathBox().value(relative);
    });
  }
  for (const auto& e : fs::recursive_directory_iterator(dir_.Path())) {
    if (!e.is_regular_file() || e.path().extension() != ".jpg") continue;
    const std::string path = e.path().string();
    EXPECT_TRUE(path.rfind(out.string(), 0) == 0 || e.path().filename().string().starts_with("p"))
        << path;
  }
  EXPECT_FALSE(fs::exists("/tmp/vx-escape.jpg"));
  EXPECT_FALSE(fs::exists(dir_.Path() / "escape.jpg"));
  EXPECT_TRUE(fs::exists(out / "escape.jpg"));
}

TEST_F(Actions, WallpaperOnlyForScreenSizedPicturesAndThroughTheDesktop) {
  std::string setTo;
  auto previous = InstallWallpaperSetter([&](const std::string& path) {
    setTo = path;
    return true;
  });
  ::setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
  const int sw = Fl::w(), sh = Fl::h();
  fs::create_directories(dir_.Path() / "w");
  WriteFileAtomically(dir_ / "w/screen.jpg", *EncodeJpeg(MakeSamplePicture(sw, sh, 1), 80));
  WriteFileAtomically(dir_ / "w/narrow.jpg", *EncodeJpeg(MakeSamplePicture(sw - 400, sh, 2), 80));
  Open(test::MakeTestArchive(dir_, "",
                             "<FRAME FRAME_ID=S SRC_FILE=\"" + dir_ / "w/screen.jpg" +
                                 "\"/><FRAME FRAME_ID=N SRC_FILE=\"" + dir_ / "w/narrow.jpg" +
                                 "\"/>"));
  dialogs_->answers = {true};
  ExtractWith([&] {
    EXPECT_TRUE(Dialog().WallpaperButton().active());
    Dialog().SetChoice(TD_dialog_actions::What::Wallpaper);
    EXPECT_FALSE(Dialog().PathBox().active());
    EXPECT_FALSE(Dialog().RelativePathBox().active());
    EXPECT_TRUE(Dialog().PointersBox().active());
  });
  EXPECT_EQ(dialogs_->questions, std::vector<std::string>{"Set current picture as wallpaper?"});
  EXPECT_EQ(setTo, WallpaperPath());
  EXPECT_EQ(setTo.rfind((dir_ / "data").c_str(), 0), 0u);
  const Bitmap wallpaper = DecodeBmp(ReadWholeFile(setTo));
  EXPECT_EQ(wallpaper.Width(), sw);
  EXPECT_EQ(dialogs_->messages, std::vector<std::string>{"Wallpaper has been set"});
  EXPECT_EQ(dialogs_->titles, std::vector<std::string>{"Done"});

  // Without a desktop that can take it, the user hears so instead of a false success.
  InstallWallpaperSetter([](const std::string&) { return false; });
  dialogs_->answers = {true};
  ExtractWith([&] { Dialog().SetChoice(TD_dialog_actions::What::Wallpaper); });
  EXPECT_NE(dialogs_->messages.back().find("could not be set"), std::string::npos);

  window_->Strip().SelectTile(window_->Strip().TileAt(1));
  WaitForLoad();
  ExtractWith([&] {
    EXPECT_FALSE(Dialog().WallpaperButton().active());
    Dialog().PathBox().value((dir_.Path() / "out").c_str());  // not into the working folder
  });
  InstallWallpaperSetter(std::move(previous));
}

TEST_F(Actions, DialogScreenshots) {
  Open(test::MakeTestArchive(dir_, "PWDLT=\"Ask the photographer\" PWDLH=shop.example",
                             test::SampleFrames(dir_, 1, {64, 48}, AreaAndCloud), "secret"));
  dialogs_->onModal = [&](Fl_Window& dialog) {
    dialog.show();
    test::SaveWindowPng(dialog, "viewer-password.png");
  };
  window_->Image_keyClick();
  dialogs_->onModal = [&](Fl_Window& dialog) {
    dialog.show();
    test::SaveWindowPng(dialog, "viewer-extract.png");
  };
  window_->SB_extractClick();
}

}  // namespace
}  // namespace vx::viewer
