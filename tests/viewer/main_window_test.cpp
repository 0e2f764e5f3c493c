#include "protection/cipher.h"
#include "support/test_archive.h"
#include "support/ui_events.h"
#include "support/viewer_window_test.h"

namespace vx::viewer {
namespace {

const char* kPointers =
    "<PNTRS><CLD XR=0.5 YR=0.5 ARRTXT=cloud/><ARR XR=0.2 YR=0.2 ARRTXT=arrow/>"
    "<PRAR OBJ_ID=A%d XR=0.1 YR=0.1 RFW=0.3 RFH=0.3 ARRTXT=secret/></PNTRS>";

std::string PointersOf(int i) {
  char text[256];
  std::snprintf(text, sizeof text, kPointers, i);
  return text;
}

class ViewerWindow : public test::ViewerWindowTest {
 protected:
  void Open(const std::string& archive) { OpenArchive(archive); }
  // Types the password into the password box and confirms, as a person would.
  void TypePassword(const std::string& password) {
    dialogs_->onModal = [this, password](Fl_Window&) {
      window_->ActionsDialog().PasswordBox().value(password.c_str());
      window_->ActionsDialog().SB_okClick();
    };
    window_->Image_keyClick();
    dialogs_->onModal = {};
    ASSERT_TRUE(WaitForPasswordCheck());
  }
};

TEST_F(ViewerWindow, OpensLockedShowsTilesAndTheFirstPicture) {
  Open(test::MakeTestArchive(dir_, "MG_BORDER_COLOR=#0000FF TNP_WIDTH=250",
                             test::SampleFrames(dir_, 3, {320, 240}, PointersOf), "secret"));
  ASSERT_EQ(window_->Strip().TileCount(), 3);
  EXPECT_EQ(window_->Strip().TileAt(1)->Footer(), "p1");
  EXPECT_EQ(window_->StripWidth(), 250);
  EXPECT_TRUE(window_->Locked());
  EXPECT_TRUE(window_->Key().visible());
  EXPECT_TRUE(window_->PointersButton().active());
  EXPECT_EQ(window_->View().Model().LensBorderColor(), 0x00FF0000u);
  ASSERT_TRUE(WaitForPictures(1));
  EXPECT_EQ(window_->Strip().IndexOfTile(window_->Strip().Current()), 0);
  EXPECT_EQ(window_->View().Model().DecodedPicture().Width(), 320);
  // Locked: the protected area is blacked out in the picture and its mark is drawn.
  EXPECT_EQ(window_->View().Model().DecodedPicture().Pixel(60, 40) & 0xF0F0F0, 0u);
  EXPECT_TRUE(
      window_->PointerVisible(window_->View().Model().Frame().FindChild("PNTRS")->Child(2)));
  EXPECT_FALSE(
      window_->PointerVisible(window_->View().Model().Frame().FindChild("PNTRS")->Child(0)));
  test::SaveWindowPng(*window_, "viewer-main.png");
}

TEST_F(ViewerWindow, RightPasswordUnlocksAfterARebuildAndRestoresAreas) {
  Open(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 2, {320, 240}, PointersOf),
                             "secret"));
  ASSERT_TRUE(WaitForPictures(1));
  TypePassword("secret");
  window_->Rebuild();
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_FALSE(window_->Locked());
  EXPECT_FALSE(window_->Key().visible());
  ASSERT_TRUE(WaitForPictures(2));
  const Bitmap original = DecodeJpeg(ReadWholeFile(dir_ / "p0.jpg"));
  const Bitmap& shown = window_->View().Model().DecodedPicture();
  // The restored area holds the source pixels again (up to JPEG noise of the encoding).
  EXPECT_NEAR(static_cast<int>(shown.Pixel(60, 40) & 0xFF),
              static_cast<int>(original.Pixel(60, 40) & 0xFF), 12);
  EXPECT_FALSE(
      window_->PointerVisible(window_->View().Model().Frame().FindChild("PNTRS")->Child(2)));
}

TEST_F(ViewerWindow, BurstsOfSelectionChangesLoadOnePicture) {
  Open(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 8, {64, 48})));
  ASSERT_TRUE(WaitForPictures(1));
  const int before = picturesShown_;
  for (int i = 0; i < 5; ++i) window_->Strip().SelectNext();
  ASSERT_TRUE(
      test::WaitFor([&] { return window_->PendingLoads() == 0 && picturesShown_ > before; }));
  Fl::wait(0.6);
  EXPECT_EQ(picturesShown_, before + 1);
  EXPECT_EQ(window_->Strip().IndexOfTile(window_->Strip().Current()), 5);
}

TEST_F(ViewerWindow, KeysActOnReleaseAndEscapeReturnsToTheMainPanel) {
  Open(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 3, {64, 48})));
  ASSERT_TRUE(WaitForPictures(1));
  Fl::e_keysym = FL_Down;
  Fl::handle(FL_KEYDOWN, window_.get());
  EXPECT_EQ(window_->Strip().IndexOfTile(window_->Strip().Current()), 0);
  Fl::handle(FL_KEYUP, window_.get());
  EXPECT_EQ(window_->Strip().IndexOfTile(window_->Strip().Current()), 1);

  test::Key(*window_, FL_Escape);  // on the main panel: nothing, and the window stays
  EXPECT_TRUE(window_->shown());
  window_->ShowPanel(TFmain::Panel::Description);
  test::Key(*window_, FL_End);  // navigation only on the main panel
  EXPECT_EQ(window_->Strip().IndexOfTile(window_->Strip().Current()), 1);
  test::Key(*window_, FL_Escape);
  EXPECT_EQ(window_->CurrentPanel(), TFmain::Panel::Main);
}

TEST_F(ViewerWindow, SplitterWidthSurvivesARebuildAndKeepsTheFrame) {
  Open(test::MakeTestArchive(dir_, "TNP_WIDTH=250", test::SampleFrames(dir_, 3, {64, 48})));
  ASSERT_TRUE(WaitForPictures(1));
  window_->Strip().SelectTile(window_->Strip().TileAt(2));
  test::DragTo(*window_, 252, 300, 182, 300);  // the splitter lies right of the strip
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window_->StripWidth(), 180);
  EXPECT_EQ(window_->Strip().TileAt(0)->w(), 180 - 34);
  EXPECT_EQ(window_->Strip().Current()->Id, "F2");
  window_->Rebuild();
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window_->StripWidth(), 180);
}

TEST_F(ViewerWindow, DamagedBlocksAndEmptyArchivesNeverCrash) {
  const std::string archive = test::MakeTestArchive(
      dir_, "", test::SampleFrames(dir_, 3, {320, 240}, PointersOf), "secret");
  // Garble the middle of the second picture block and the first area block's end marker.
  std::string bytes = ReadWholeFile(archive);
  const BlockIndex index(bytes);
  const std::string_view picture = index.Find("F1");
  const size_t at = static_cast<size_t>(picture.data() - bytes.data());
  for (size_t i = at + 200; i < at + 600 && i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i * 7);
  const size_t marker = bytes.find("EO!#A0");
  bytes[marker + 4] = 'X';
  WriteFileAtomically(archive, bytes);

  Open(archive);
  TypePassword("secret");
  window_->Rebuild();
  ASSERT_TRUE(WaitUntilIdle());
  ASSERT_TRUE(WaitForPictures(1));
  EXPECT_EQ(window_->Strip().TileCount(), 3);
  window_->Strip().SelectTile(window_->Strip().TileAt(1));
  ASSERT_TRUE(test::WaitFor([&] { return window_->PendingLoads() == 0; }));
  Fl::wait(0.3);
  EXPECT_EQ(window_->Strip().TileAt(1)->ThumbnailSize(), (Size{1, 1}));  // placeholder
}

// An interrupted download: the frames whose pictures were cut off show the placeholder,
// never the picture before, and extraction says which it could not save.
TEST_F(ViewerWindow, ArchiveCutShortShowsWhatIsMissingAndSaysSo) {
  const std::string archive =
      test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 10, {320, 240}));
  const std::string bytes = ReadWholeFile(archive);
  const std::string cut = bytes.substr(0, bytes.size() * 6 / 10);
  WriteFileAtomically(archive, cut);
  // The frames whose blocks the cut left whole come first; the others are missing.
  int whole = 0;
  for (const BlockIndex::Entry& block : BlockIndex(cut).List())
    whole += block.name.starts_with("F") ? 1 : 0;
  ASSERT_GT(whole, 0);
  ASSERT_LT(whole, 10);
  const std::string lost = "p" + std::to_string(whole) + ".jpg";
  Open(archive);
  ASSERT_EQ(window_->Strip().TileCount(), 10);
  EXPECT_TRUE(window_->View().Model().HasPicture());
  EXPECT_TRUE(window_->Strip().TileAt(0)->Thumbnail());
  EXPECT_FALSE(window_->Strip().TileAt(9)->Thumbnail());  // the placeholder
  window_->Strip().SelectLast();
  ASSERT_TRUE(test::WaitFor([&] { return window_->PendingLoads() == 0; }));
  EXPECT_TRUE(window_->View().Model().Missing());
  EXPECT_FALSE(window_->View().Model().HasPicture());
  test::SaveWindowPng(*window_, "viewer-picture-missing.png");
  window_->Strip().SelectFirst();
  ASSERT_TRUE(test::WaitFor([&] { return window_->View().Model().HasPicture(); }));
  EXPECT_FALSE(window_->View().Model().Missing());

  dialogs_->onModal = [this](Fl_Window&) {
    window_->ActionsDialog().PathBox().value((dir_ / "out").c_str());
    window_->ActionsDialog().SetChoice(TD_dialog_actions::What::All);
    window_->ActionsDialog().SB_okClick();
  };
  window_->SB_extractClick();
  ASSERT_TRUE(WaitUntilIdle());
  const std::string& report = dialogs_->messages.back();
  EXPECT_EQ(report.rfind(std::to_string(whole) + " pictures saved to ", 0), 0u) << report;
  EXPECT_NE(report.find("These " + std::to_string(10 - whole) + " could not be saved:\n" + lost +
                        ": its picture is missing or damaged in this archive.\n"),
            std::string::npos)
      << report;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out/p9.jpg"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "out/p0.jpg"));
}

TEST_F(ViewerWindow, ArchiveWithoutFramesShowsNothing) {
  Open(test::MakeTestArchive(dir_, "", ""));
  EXPECT_EQ(window_->Strip().TileCount(), 0);
  EXPECT_EQ(window_->Strip().Current(), nullptr);
  EXPECT_FALSE(window_->PointersButton().active());
  EXPECT_FALSE(window_->Locked());
}

TEST_F(ViewerWindow, CompressedPictureBlocksOnlyWithAnUpperCaseFlag) {
  for (const char* flag : {"y", "Y"}) {
    test::TempFolder dir;
    const std::string jpeg = *EncodeJpeg(MakeSamplePicture(80, 60, 1), 80);
    const std::string archive = dir.Write("a.run", "VIEWER");
    AppendBlock("PIG_TXT", archive,
                std::string("<VX USE_ZIP=") + flag + "><FRAME FRAME_ID=F0 SRC_FILE=x.jpg/></VX>");
    AppendBlock("F0", archive, std::string(flag) == "Y" ? CompressToString(jpeg) : jpeg);
    const ArchiveImage image(archive);
    ArchiveSession session([&](std::string_view name) { return image.ReadBlock(name); });
    ASSERT_TRUE(session.LoadDescription());
    const auto picture = session.LoadFramePicture("f0", JpegScale::Full, {});
    ASSERT_TRUE(picture) << flag;
    EXPECT_EQ(picture->Width(), 80);
  }
}

}  // namespace
}  // namespace vx::viewer
