// The small pictures an executable archive carries for the viewer's strip, as vellumax-make
// makes them and vellumax-blocks lists them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "archive/thumbnail_frames.h"
#include "blocks/data_blocks.h"
#include "picture/jpeg_codec.h"
#include "picture/resample.h"
#include "picture/stored_thumbnail.h"
#include "platform/files.h"
#include "sample_pictures.h"
#include "support/listed_blocks.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

class StoredThumbnails : public testing::Test {
 protected:
  // Three frames: a light landscape picture with a protected area in its left half, a
  // portrait one, and one small enough to be its own thumbnail.
  void SetUp() override {
    Bitmap wide(800, 500);
    wide.Fill(0xE0C0A0);
    WriteFileAtomically(dir_ / "wide.jpg", *EncodeJpeg(wide, 90));
    WriteFileAtomically(dir_ / "tall.jpg", *EncodeJpeg(MakeSamplePicture(300, 640, 2), 90));
    WriteFileAtomically(dir_ / "small.jpg", *EncodeJpeg(MakeSamplePicture(256, 200, 3), 90));
    dir_.Write("project.vxpr",
               "<VX OUTPUT_FILE=\"" + dir_ / "out.run" + "\" JPQ=80>" +
                   "<FRAME FRAME_ID=F1 SRC_FILE=\"" + dir_ / "wide.jpg" +
                   "\"><PNTRS><PRAR OBJ_ID=A1 XR=0 YR=0 RFW=0.5 RFH=1/></PNTRS></FRAME>"
                   "<FRAME FRAME_ID=F2 SRC_FILE=\"" +
                   dir_ / "tall.jpg" + "\"/><FRAME FRAME_ID=F3 SRC_FILE=\"" + dir_ / "small.jpg" +
                   "\"/></VX>");
  }
  // Makes the archive with vellumax-make and the real viewer; its exit status.
  int Make(const std::string& arguments = "") {
    const std::string command = std::string(VX_MAKE_PATH) + " '" + dir_ / "project.vxpr" +
                                "' --viewer '" + VX_VIEWER_PATH + "' --password secret " +
                                arguments + " >/dev/null 2>&1";
    return WEXITSTATUS(std::system(command.c_str()));
  }

  test::TempFolder dir_;
};

TEST_F(StoredThumbnails, EachFrameCarriesItsPictureAsMadeAtMost256Wide) {
  ASSERT_EQ(Make(), 0);
  EXPECT_EQ(test::ListedBlockNames(dir_ / "out.run"),
            (std::vector<std::string>{"PIG_TXT", "SEALED_A1", "F1", "TN_F1", "F2", "TN_F2", "F3"}));
  const ArchiveImage archive(dir_ / "out.run");
  const Bitmap wide = DecodeJpeg(archive.ReadBlock("TN_F1"));
  EXPECT_EQ(wide.Width(), 256);
  EXPECT_EQ(wide.Height(), 160);
  // The protected left half is black, the rest keeps its colour.
  for (int y : {10, 80, 150}) {
    EXPECT_LT(wide.Pixel(40, y) & 0xFF, 16u) << y;
    EXPECT_GT(wide.Pixel(200, y) & 0xFF, 0x90u) << y;
  }
  const Bitmap tall = DecodeJpeg(archive.ReadBlock("TN_F2"));
  EXPECT_EQ(tall.Width(), 120);
  EXPECT_EQ(tall.Height(), 256);
  // Like the picture, only smaller: compared with the picture block reduced the same way.
  const Bitmap picture = DecodeJpeg(archive.ReadBlock("F2"));
  Bitmap reduced(120, 256);
  ShrinkAveraging(picture, reduced);
  int far = 0;
  for (int y = 0; y < 256; y += 8)
    for (int x = 0; x < 120; x += 8)
      far += std::abs(int(tall.Row(y)[x * 3]) - reduced.Row(y)[x * 3]) > 48;
  EXPECT_LT(far, 20);
}

TEST_F(StoredThumbnails, NoThumbnailsLeavesThemOutAndTheRestAsItWas) {
  ASSERT_EQ(Make("--no-thumbnails --protection compatible"), 0);
  EXPECT_EQ(test::ListedBlockNames(dir_ / "out.run"),
            (std::vector<std::string>{"PIG_TXT", "A1", "F1", "F2", "F3"}));
  const std::string without = ReadWholeFile(dir_ / "out.run");
  ASSERT_EQ(Make("--protection compatible"), 0);
  const ArchiveImage with(dir_ / "out.run");
  const BlockIndex plain(without);
  for (const char* name : {"PIG_TXT", "A1", "F1", "F2", "F3"})
    EXPECT_EQ(with.ReadBlock(name), plain.Find(name)) << name;
  EXPECT_FALSE(with.ReadBlock("TN_F1").empty());
}

// A thumbnail's name must not be a prefix of another block's name nor have one as its
// prefix, in any case: a reader would take the wrong end marker. Frames numbered F1 to F10
// keep theirs.
TEST(ThumbnailFrames, NamesThatWouldClashGetNone) {
  struct Case {
    const char* frames;  // FRAME_ID of each frame, then pointers' OBJ_IDs after a colon
    std::set<std::string> given;
  };
  for (const Case& c : {
           Case{"F1 F2 F10", {"F1", "F2", "F10"}},
           Case{"T F2", {}},               // "T" starts every thumbnail's name
           Case{"tn F2", {}},              // in any case
           Case{"A TN_A", {"TN_A"}},       // A's would be the name of TN_A's picture
           Case{"AB ABC", {"AB", "ABC"}},  // as their pictures' names do
           Case{"F1 F2:TN_F1X", {"F2"}},   // an object's name
           Case{"F1 F2:tn_f1", {"F2"}},    // in any case
           Case{"F1 F1", {"F1"}},          // the same frame twice reads as one
       }) {
    std::string text = "<VX>";
    std::string frames = c.frames;
    for (size_t at = 0; at < frames.size();) {
      const size_t end = std::min(frames.find(' ', at), frames.size());
      const std::string entry = frames.substr(at, end - at);
      const size_t colon = entry.find(':');
      text += "<FRAME FRAME_ID=" + entry.substr(0, colon) + ">";
      if (colon != std::string::npos)
        text += "<PNTRS><PRAR OBJ_ID=" + entry.substr(colon + 1) + "/></PNTRS>";
      text += "</FRAME>";
      at = end + 1;
    }
    TKelPigger document;
    document.LoadFromText(text + "</VX>");
    EXPECT_EQ(FramesGivenThumbnails(document), c.given) << c.frames;
  }
}

}  // namespace
}  // namespace vx
