#include "archive/archive_maker.h"

#include <gtest/gtest.h>
#include <minizip/unzip.h>
#include <sys/stat.h>

#include <filesystem>

#include "blocks/data_blocks.h"
#include "document/conversions.h"
#include "document/project.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "platform/process.h"
#include "protection/archive_lock.h"
#include "protection/cipher.h"
#include "protection/protected_areas.h"
#include "sample_pictures.h"
#include "support/run_for_a_while.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class RecordingObserver : public MakeObserver {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowPictureProgress(int percent) override { progress.push_back(percent); }
  void ShowZipping() override { zipping = true; }
  bool BreakRequested() override { return ++asked == breakAt; }

  std::vector<std::string> messages;
  std::vector<int> progress;
  bool zipping = false;
  int asked = 0;
  int breakAt = -1;
};

std::vector<std::string> ZipEntries(const std::string& path) {
  std::vector<std::string> names;
  unzFile zip = unzOpen64(path.c_str());
  if (!zip) return names;
  for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
    char name[512];
    unz_file_info64 info;
    unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
    names.push_back(name);
    EXPECT_EQ(info.dosDate, 0x00200000u) << name;  // date 0x0020, time 0
  }
  unzClose(zip);
  return names;
}

class ArchiveMaker : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_.Path() / "a");
    fs::create_directories(dir_.Path() / "b");
    fs::create_directories(dir_.Path() / "out");
    fs::create_directories(dir_.Path() / "export");
    for (const char* name : {"a/one.jpg", "a/two.jpg", "b/one.jpg"}) {
      WriteFileAtomically(
          dir_ / name, *EncodeJpeg(MakeSamplePicture(64, 48, static_cast<unsigned>(name[2])), 90));
    }
    viewer_ = dir_.Write("_vellumax", "VIEWER PROGRAM BYTES");
    options_.viewerPath = viewer_;
    options_.exportFolder = dir_ / "export";
  }

  // Three frames; the first has a protected area and a cloud, the second two areas. The
  // password "secret" locks them, the compatible way unless asked otherwise.
  std::unique_ptr<TKelPigger> Document(const std::string& kind,
                                       Protection protection = Protection::Compatible) {
    auto document = std::make_unique<TKelPigger>();
    document->LoadFromText("<VX OUTPUT_FILE=\"" + dir_ / "out/trip.run" + "\" JPQ=65 OFT=\"" +
                           kind + "\">" + "<FRAME FRAME_ID=F1 SRC_FILE=\"" + dir_ / "a/one.jpg" +
                           "\"><PNTRS><CLD XR=0.1 YR=0.1/><PRAR OBJ_ID=P1 XR=0.1 YR=0.1 RFW=0.2 "
                           "RFH=0.2/></PNTRS></FRAME>"
                           "<FRAME FRAME_ID=F2 SRC_FILE=\"" +
                           dir_ / "a/two.jpg" +
                           "\"><PNTRS><PRAR OBJ_ID=P2 XR=0 YR=0 RFW=0.5 RFH=0.5/><PRAR OBJ_ID=P3 "
                           "XR=0.5 YR=0.5/></PNTRS></FRAME>"
                           "<FRAME FRAME_ID=F3 SRC_FILE=\"" +
                           dir_ / "b/one.jpg" + "\"/></VX>");
    auto made = DocumentForMaking(*document, "secret", protection, kLeastKeyParameters);
    options_.areas = made.areas;
    return std::move(made.document);
  }

  std::vector<std::string> LeftoverWorkingFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.Path() / "out")) {
      if (entry.path().filename().string().starts_with(".")) names.push_back(entry.path().string());
    }
    return names;
  }

  test::TempFolder dir_;
  std::string viewer_;
  MakeOptions options_;
  RecordingObserver observer_;
};

TEST_F(ArchiveMaker, ExecutableHoldsDescriptionThenAreasAndPicturesInOrder) {
  auto document = Document("0");
  ASSERT_TRUE(MakeArchive(*document, options_, observer_));
  const std::string archive = ReadWholeFile(dir_ / "out/trip.run");
  EXPECT_TRUE(archive.starts_with("VIEWER PROGRAM BYTES"));
  std::vector<std::string> order;
  const BlockIndex index(archive);
  for (const auto& entry : index.List()) order.push_back(entry.name);
  EXPECT_EQ(order, (std::vector<std::string>{"PIG_TXT", "P1", "F1", "P2", "P3", "F2", "F3"}));
  const std::string description(index.Find("PIG_TXT"));
  EXPECT_NE(description.find(DigestText("secret")), std::string::npos);
  EXPECT_TRUE(LooksLikeJpeg(index.Find("F1")));
  EXPECT_TRUE(observer_.messages.empty());
  EXPECT_EQ(observer_.progress.back(), 99);  // three steps of 33
  EXPECT_TRUE(LeftoverWorkingFiles().empty());
}

// The default: sealed area blocks of their own names, and no digest of the password anywhere.
TEST_F(ArchiveMaker, StrongProtectionSealsAreasAndKeepsNoDigest) {
  auto document = Document("0", Protection::Strong);
  ASSERT_TRUE(MakeArchive(*document, options_, observer_));
  const std::string archive = ReadWholeFile(dir_ / "out/trip.run");
  std::vector<std::string> order;
  const BlockIndex index(archive);
  for (const auto& entry : index.List()) order.push_back(entry.name);
  EXPECT_EQ(order, (std::vector<std::string>{"PIG_TXT", "SEALED_P1", "F1", "SEALED_P2", "SEALED_P3",
                                             "F2", "F3"}));
  EXPECT_EQ(archive.find(DigestText("secret")), std::string::npos);
  EXPECT_EQ(archive.find(HexDecode(DigestText("secret"))), std::string::npos);
  EXPECT_TRUE(index.Find("SEALED_P1").starts_with("VXS1"));

  TKelPigger description;
  description.LoadFromText(std::string(index.Find("PIG_TXT")));
  AreaLock lock;
  ASSERT_EQ(ArchivePassword::Of(description).Check("secret", lock), PasswordCheck::Right);
  const TKelPigger& frame = *description.FindChild("FRAME");
  Bitmap picture = DecodeJpeg(index.Find("F1"));
  const Bitmap locked = picture;
  RestoreAreas(picture, frame, lock, [&](std::string_view name) { return index.Find(name); });
  EXPECT_NE(picture, locked);
}

TEST_F(ArchiveMaker, MissingPictureGivesMessageAndNoBlockButKeepsItsFrame) {
  auto document = Document("0");
  document->SetAttr("JPQ", "abc");
  document->Child(1)->SetAttr("SRC_FILE", dir_ / "a/gone.jpg");
  document->Child(2)->SetAttr("FRAME_ID", "");
  ASSERT_TRUE(MakeArchive(*document, options_, observer_));
  EXPECT_EQ(observer_.messages,
            (std::vector<std::string>{"Wrong name of grapic file " + dir_ / "a/gone.jpg",
                                      "Empty frame id for file " + dir_ / "b/one.jpg"}));
  const std::string archive = ReadWholeFile(dir_ / "out/trip.run");
  const BlockIndex index(archive);
  EXPECT_EQ(index.List().size(), 3u);  // PIG_TXT, P1, F1
  EXPECT_NE(std::string(index.Find("PIG_TXT")).find("gone.jpg"), std::string::npos);
  // JPQ "abc" encodes at quality 100.
  EXPECT_EQ(JpegQualityOf(*document), 100);
  Bitmap first = DecodeJpeg(ReadWholeFile(dir_ / "a/one.jpg"));
  TKelPigger frame;
  frame.Assign(*document->Child(0));
  LockFrameAreas(first, frame, "secret");
  EXPECT_TRUE(index.Find("F1") == *EncodeJpeg(first, 100));
}

TEST_F(ArchiveMaker, CancelDuringTheSecondPictureLeavesTheOutputAsItWas) {
  WriteFileAtomically(dir_ / "out/trip.run", "the archive made last week");
  observer_.breakAt = 2;
  auto document = Document("0");
  EXPECT_FALSE(MakeArchive(*document, options_, observer_));
  EXPECT_EQ(ReadWholeFile(dir_ / "out/trip.run"), "the archive made last week");
  EXPECT_TRUE(LeftoverWorkingFiles().empty());
}

TEST_F(ArchiveMaker, MissingViewerIsReported) {
  options_.viewerPath = dir_ / "nothing";
  auto document = Document("0");
  EXPECT_FALSE(MakeArchive(*document, options_, observer_));
  EXPECT_EQ(observer_.messages, std::vector<std::string>{"No project compiller found."});
  EXPECT_FALSE(FileExists(dir_ / "out/trip.run"));
}

TEST_F(ArchiveMaker, ZipEnvelopeHoldsOnlyTheExecutable) {
  auto document = Document("1");
  ASSERT_TRUE(MakeArchive(*document, options_, observer_));
  EXPECT_TRUE(observer_.zipping);
  EXPECT_EQ(ZipEntries(dir_ / "out/trip.zip"), std::vector<std::string>{"trip.run"});
  EXPECT_FALSE(FileExists(dir_ / "out/trip.run"));
  EXPECT_TRUE(LeftoverWorkingFiles().empty());
}

TEST_F(ArchiveMaker, ZipOfJpegsKeepsEveryPictureUnderItsOwnName) {
  int drawn = 0;
  options_.onPicture = [&](const TKelPigger& frame, Bitmap& picture) {
    ++drawn;
    EXPECT_EQ(frame.Name, "FRAME");
    picture.Fill(0x00FF00);
  };
  auto document = Document("2");
  ASSERT_TRUE(MakeArchive(*document, options_, observer_));
  EXPECT_EQ(drawn, 3);
  EXPECT_EQ(ZipEntries(dir_ / "out/trip.zip"),
            (std::vector<std::string>{"one.jpg", "two.jpg", "one (2).jpg"}));
  for (const char* name : {"one.jpg", "two.jpg", "one (2).jpg"}) {
    const Bitmap picture = DecodeJpeg(ReadWholeFile(dir_ / (std::string("export/") + name)));
    EXPECT_EQ(picture.Width(), 64) << name;
  }
  EXPECT_TRUE(LeftoverWorkingFiles().empty());
}

TEST_F(ArchiveMaker, UnreadablePictureInAZipOfJpegsMakesNothing) {
  auto document = Document("2");
  WriteFileAtomically(dir_ / "a/two.jpg", "not a picture");
  WriteFileAtomically(dir_ / "out/trip.zip", "previous");
  EXPECT_FALSE(MakeArchive(*document, options_, observer_));
  EXPECT_EQ(ReadWholeFile(dir_ / "out/trip.zip"), "previous");
}

unsigned ModeOf(const std::string& path) {
  return static_cast<unsigned>(fs::status(path).permissions());
}

// Sets the umask for one scope.
class Umask {
 public:
  explicit Umask(mode_t mask) : before_(::umask(mask)) {}
  ~Umask() { ::umask(before_); }

 private:
  mode_t before_;
};

// Outputs get the mode of any file the user makes: an archive runs, a ZIP does not; both
// stay private under a private umask.
TEST_F(ArchiveMaker, OutputModesFollowTheUmask) {
  struct Case {
    const char* kind;
    const char* output;
    mode_t umask;
    unsigned mode;
  };
  for (const Case& c :
       {Case{"0", "out/trip.run", 022, 0755}, Case{"1", "out/trip.zip", 022, 0644},
        Case{"2", "out/trip.zip", 022, 0644}, Case{"0", "out/trip.run", 077, 0700},
        Case{"1", "out/trip.zip", 077, 0600}, Case{"2", "out/trip.zip", 077, 0600}}) {
    Umask umask(c.umask);
    ASSERT_TRUE(MakeArchive(*Document(c.kind), options_, observer_)) << c.kind;
    EXPECT_EQ(ModeOf(dir_ / c.output), c.mode)
        << "kind " << c.kind << ", umask 0" << std::oct << c.umask;
  }
}

// What a recipient does: unpack with the usual tools, whatever the maker's umask was, and
// start the archive; pictures unpack as plain files.
TEST_F(ArchiveMaker, UnpackedZipsKeepTheirModesAndTheArchiveStarts) {
  options_.viewerPath = VX_VIEWER_PATH;
  for (const char* kind : {"1", "2"}) {
    {
      Umask makersUmask(077);
      ASSERT_TRUE(MakeArchive(*Document(kind), options_, observer_)) << kind;
    }
    Umask recipientsUmask(022);
    const std::string zip = dir_ / "out/trip.zip";
    for (const std::string tool : {"unzip", "bsdtar"}) {
      const std::string folder = dir_ / (tool + "-" + kind);
      fs::create_directories(folder);
      const int status = tool == "unzip" ? RunProgram("unzip", {"-q", zip, "-d", folder})
                                         : RunProgram("bsdtar", {"-xf", zip, "-C", folder});
      ASSERT_EQ(status, 0) << tool << " (tools/install-deps installs it)";
      if (kind == std::string("2")) {
        for (const char* name : {"one.jpg", "two.jpg", "one (2).jpg"})
          EXPECT_EQ(ModeOf(folder + "/" + name), 0644u) << tool << " " << name;
        continue;
      }
      const std::string archive = folder + "/trip.run";
      EXPECT_EQ(ModeOf(archive), 0755u) << tool;
      if (!std::getenv("DISPLAY")) continue;  // the tests run under Xvfb
      EXPECT_EQ(test::RunForAWhile(archive, nullptr, 1000ms, true), -1)
          << tool << ": the unpacked archive should be running";
    }
  }
}

}  // namespace
}  // namespace vx
