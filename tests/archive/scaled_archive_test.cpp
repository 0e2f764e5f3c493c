// Archives do not depend on the desktop's scale: what is drawn into pictures (pointer labels,
// protected-area marks) keeps its sizes in picture pixels. Run once per factor (VX_SCALE); each
// run compares its archives with those a child process makes at factor 1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "archive/archive_maker.h"
#include "document/project.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "platform/ui_scale.h"
#include "pointers/pointer_drawing.h"
#include "sample_pictures.h"
#include "support/temp_folder.h"
#include "support/test_archive.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderVariable = "VX_SCALED_ARCHIVE_FOLDER";

// An executable archive with a protected area, and a ZIP of JPEG files with the pointers
// drawn in, made from the pictures in the folder; their bytes, one after the other.
std::string MakeBothKinds(const std::string& folder) {
  std::string made;
  for (const char* kind : {"0", "2"}) {
    TKelPigger project;
    project.LoadFromText("<VX OUTPUT_FILE=\"" + folder + "/out/trip.run\" JPQ=80 OFT=" + kind +
                         "><FRAME FRAME_ID=F1 SRC_FILE=\"" + folder +
                         "/one.jpg\"><PNTRS><CLD XR=0.3 YR=0.3 ARRTXT=\"A tower\"/>"
                         "<ARR XR=0.6 YR=0.2 ARRTXT=Gate/><PRAR OBJ_ID=P1 XR=0.1 YR=0.5 RFW=0.3 "
                         "RFH=0.3/></PNTRS></FRAME></VX>");
    // Compatible protection: strong protection's salt and nonces differ on every make.
    auto archive = DocumentForMaking(project, "secret", Protection::Compatible);
    const auto& document = archive.document;
    MakeOptions options;
    options.viewerPath = folder + "/viewer-stub";
    options.exportFolder = folder + "/export";
    options.areas = archive.areas;
    options.onPicture = [](const TKelPigger& frame, Bitmap& picture) {
      if (const TKelPigger* pointers = frame.FindChild("PNTRS"))
        DrawPointersOnPicture(*pointers, picture);
    };
    test::NoMessages observer;
    if (!MakeArchive(*document, options, observer)) return "";
    made += ReadWholeFile(OutputPathOf(*document));
  }
  return made;
}

// Run by the test below in a child process at factor 1; skipped when run on its own.
TEST(ScaledArchive, MadeByTheChild) {
  const char* folder = std::getenv(kFolderVariable);
  if (!folder) GTEST_SKIP() << "only run as the child of SameBytesAtEveryScale";
  WriteFileAtomically(std::string(folder) + "/at-factor-1", MakeBothKinds(folder));
}

TEST(ScaledArchive, SameBytesAtEveryScale) {
  test::TempFolder dir;
  fs::create_directories(dir.Path() / "out");
  fs::create_directories(dir.Path() / "export");
  WriteFileAtomically(dir / "one.jpg", *EncodeJpeg(MakeSamplePicture(640, 480, 7), 90));
  dir.Write("viewer-stub", "VIEWER PROGRAM");

  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const std::string command = "env VX_SCALE=1 " + std::string(kFolderVariable) + "='" +
                              dir.Path().string() + "' '" + self +
                              "' --gtest_filter=ScaledArchive.MadeByTheChild >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string atOne = ReadWholeFile(dir / "at-factor-1");
  ASSERT_FALSE(atOne.empty());
  const std::string here = MakeBothKinds(dir.Path().string());
  EXPECT_TRUE(here == atOne) << "made at factor " << ScaleFactor() << ": " << here.size()
                             << " bytes against " << atOne.size() << " at factor 1";
}

}  // namespace
}  // namespace vx
