// vellumax-make as a person runs it: strong protection unless compatible is asked for.
#include <gtest/gtest.h>

#include <cstdlib>

#include "blocks/data_blocks.h"
#include "document/kel_pigger.h"
#include "document/project.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "protection/archive_lock.h"
#include "protection/cipher.h"
#include "sample_pictures.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

class MakeTool : public testing::Test {
 protected:
  void SetUp() override {
    WriteFileAtomically(dir_ / "p.jpg", *EncodeJpeg(MakeSamplePicture(64, 48, 3), 90));
    dir_.Write(
        "project.vxpr",
        "<VX OUTPUT_FILE=\"" + dir_ / "out.run" + "\" JPQ=90><FRAME FRAME_ID=F1 SRC_FILE=\"" +
            dir_ / "p.jpg" +
            "\"><PNTRS><PRAR OBJ_ID=A1 XR=0.25 YR=0.25 RFW=0.5 RFH=0.5/></PNTRS></FRAME></VX>");
    viewer_ = dir_.Write("viewer-stub", "VIEWER PROGRAM");
  }
  // The exit status of the tool with these arguments after the project's.
  int Make(const std::string& arguments) {
    const std::string command = std::string(VX_MAKE_PATH) + " '" + dir_ / "project.vxpr" +
                                "' --viewer '" + viewer_ + "' " + arguments + " >/dev/null 2>&1";
    return WEXITSTATUS(std::system(command.c_str()));
  }
  // Reads the made archive into bytes_ and description_.
  void ReadMade() {
    bytes_ = ReadWholeFile(dir_ / "out.run");
    description_.LoadFromText(std::string(FindBlockNaive(bytes_, "PIG_TXT")));
  }

  test::TempFolder dir_;
  std::string viewer_;
  std::string bytes_;
  TKelPigger description_;
};

TEST_F(MakeTool, PasswordGivesStrongProtectionByDefault) {
  ASSERT_EQ(Make("--password 'Pa55 word'"), 0);
  ReadMade();
  EXPECT_EQ(bytes_.find(DigestText("Pa55 word")), std::string::npos);
  EXPECT_EQ(bytes_.find(HexDecode(DigestText("Pa55 word"))), std::string::npos);
  EXPECT_TRUE(FindBlockNaive(bytes_, "A1").empty());
  EXPECT_FALSE(FindBlockNaive(bytes_, "SEALED_A1").empty());
  const ArchivePassword password = ArchivePassword::Of(description_);
  AreaLock lock;
  EXPECT_EQ(password.Check("Pa55 wore", lock), PasswordCheck::Wrong);
  EXPECT_EQ(password.Check("Pa55 word", lock), PasswordCheck::Right);
}

TEST_F(MakeTool, CompatibleProtectionOnRequestOrFromTheProject) {
  for (const bool fromProject : {false, true}) {
    if (fromProject) {
      TKelPigger project;
      project.LoadFromFile(dir_ / "project.vxpr");
      project.SetAttr("PROTECTION", "compatible");
      WriteFileAtomically(dir_ / "project.vxpr", project.SaveToText());
    }
    ASSERT_EQ(
        Make(std::string(fromProject ? "" : "--protection compatible") + " --password secret"), 0);
    ReadMade();
    EXPECT_EQ(description_.GetAttr("PWDIM"), DigestText("secret"));
    // The area block the old way: named by OBJ_ID, opening with the password's cipher.
    const std::string_view block = FindBlockNaive(bytes_, "A1");
    ASSERT_FALSE(block.empty());
    const TKelPigger& frame = *description_.FindChild("FRAME");
    Bitmap picture = DecodeJpeg(FindBlockNaive(bytes_, "F1"));
    const Bitmap locked = picture;
    RestoreAreas(picture, frame, "secret", [&](std::string_view) { return block; });
    EXPECT_NE(picture, locked);
  }
  // The command line wins over the project.
  ASSERT_EQ(Make("--protection strong --password secret"), 0);
  ReadMade();
  EXPECT_EQ(description_.GetAttr("PWDIM"), kStrongMark);
}

TEST_F(MakeTool, UnknownProtectionIsAUsageError) {
  EXPECT_EQ(Make("--protection weak --password secret"), 2);
}

}  // namespace
}  // namespace vx
