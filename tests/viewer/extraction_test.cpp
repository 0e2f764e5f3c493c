#include "extraction.h"

#include <gtest/gtest.h>

namespace vx::viewer {
namespace {

// Names keep their own case; shared folders are found without regard to case.
TEST(RelativePaths, KeepWhatLiesBelowTheSharedFolders) {
  EXPECT_EQ(RelativePaths({"C:\\Trips\\2004\\Rome\\a.jpg", "c:\\trips\\2004\\Paris\\b.jpg"}),
            (std::vector<std::string>{"Rome\\a.jpg", "Paris\\b.jpg"}));
  EXPECT_EQ(RelativePaths({"C:\\Trips\\2004\\Rome\\Aqua.jpg"}),
            std::vector<std::string>{"Aqua.jpg"});
  EXPECT_EQ(RelativePaths({"/home/me/x/caf\xC3\xA9.png", "/home/me/y/z.png"}),
            (std::vector<std::string>{"x\\caf\xC3\xA9.png", "y\\z.png"}));
  EXPECT_EQ(RelativePaths({"/home/me/Caf\xC3\xA9/a.png", "/home/me/CAF\xC3\x89/b.png"}),
            (std::vector<std::string>{"a.png", "b.png"}));
  EXPECT_EQ(RelativePaths({"C:\\a.jpg", "D:\\b.jpg"}),
            (std::vector<std::string>{"C-\\a.jpg", "D-\\b.jpg"}));
  EXPECT_TRUE(RelativePaths({}).empty());
}

TEST(ExtractionTarget, StaysInsideTheChosenFolder) {
  const struct {
    const char* path;
    const char* target;
  } cases[] = {
      {"ROME\\A.JPG", "/out/ROME/A.jpg"},
      {"a.png", "/out/a.jpg"},
      {"..\\..\\.bashrc", "/out/.bashrc.jpg"},
      {"/etc/passwd", "/out/etc/passwd.jpg"},
      {"C-\\x\\..\\..\\..\\y.jpg", "/out/C-/x/y.jpg"},
      {"\\\\server\\share\\z.tif", "/out/server/share/z.jpg"},
      {"..", "/out/F1.jpg"},
      {"", "/out/F1.jpg"},
  };
  for (const auto& c : cases) {
    const std::string target = ExtractionTarget("/out", c.path, "F1");
    EXPECT_EQ(target, c.target) << c.path;
    EXPECT_EQ(target.rfind("/out/", 0), 0u) << c.path;
  }
  EXPECT_EQ(FileNameOf("C:\\Trips\\a.jpg"), "a.jpg");
  EXPECT_EQ(FileNameOf("/x/b.jpg"), "b.jpg");
}

TEST(ExtractionNames, SameNamesAreNumberedAsInTheZipOfJpegs) {
  std::vector<std::string> targets = {"/out/a.jpg", "/out/a.jpg", "/out/x/a.jpg", "/out/a.jpg",
                                      "/out/b.jpg"};
  NumberTargets(targets, nullptr);
  EXPECT_EQ(targets, (std::vector<std::string>{"/out/a.jpg", "/out/a (2).jpg", "/out/x/a.jpg",
                                               "/out/a (3).jpg", "/out/b.jpg"}));
  // Names in use on the disk are passed over too.
  targets = {"/out/a.jpg", "/out/a.jpg"};
  NumberTargets(targets, [](const std::string& t) { return t == "/out/a.jpg"; });
  EXPECT_EQ(targets, (std::vector<std::string>{"/out/a (2).jpg", "/out/a (3).jpg"}));
}

TEST(ExtractionNames, TheReportSaysWhatHappenedInPlainSentences) {
  EXPECT_EQ(ExtractionReport(1, "/out", {}), "1 picture saved to /out.");
  EXPECT_EQ(ExtractionReport(2, "/out", {{"x/a.jpg", kPictureMissing}}),
            "2 pictures saved to /out.\n\nThis one could not be saved:\nx/a.jpg: its picture is "
            "missing or damaged in this archive.");
  EXPECT_EQ(PlainReason(std::make_error_code(std::errc::not_a_directory)),
            "a file stands where a folder of its path should be");
  EXPECT_EQ(PlainReason(std::make_error_code(std::errc::no_space_on_device)), "the disk is full");
  EXPECT_EQ(KeepQuestion("/out", {"/out/a.jpg"}),
            "A file in /out already has the name of a picture to save (a.jpg). Keep it and save "
            "the pictures under new names, such as \"a (2).jpg\"?\n\nNo replaces it.");
}

TEST(WallpaperAllowed, SizeAndShapeCloseToTheScreen) {
  const Size screen{1280, 1024};
  EXPECT_TRUE(WallpaperAllowed({1280, 1024}, screen));
  EXPECT_FALSE(WallpaperAllowed({880, 1024}, screen));
  EXPECT_TRUE(WallpaperAllowed({1100, 880}, screen));   // 180 narrower, same shape
  EXPECT_FALSE(WallpaperAllowed({1280, 720}, screen));  // other shape
  EXPECT_FALSE(WallpaperAllowed({0, 0}, screen));
}

}  // namespace
}  // namespace vx::viewer
