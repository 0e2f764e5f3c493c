#include "extraction.h"

#include <gtest/gtest.h>

namespace vx::viewer {
namespace {

TEST(RelativePaths, KeepWhatLiesBelowTheSharedFolders) {
  EXPECT_EQ(RelativePaths({"C:\\Trips\\2004\\Rome\\a.jpg", "C:\\Trips\\2004\\Paris\\b.jpg"}),
            (std::vector<std::string>{"ROME\\A.JPG", "PARIS\\B.JPG"}));
  EXPECT_EQ(RelativePaths({"C:\\Trips\\2004\\Rome\\a.jpg"}), std::vector<std::string>{"A.JPG"});
  EXPECT_EQ(RelativePaths({"/home/me/x/caf\xC3\xA9.png", "/home/me/y/z.png"}),
            (std::vector<std::string>{"X\\CAF\xC3\x89.PNG", "Y\\Z.PNG"}));
  EXPECT_EQ(RelativePaths({"C:\\a.jpg", "D:\\b.jpg"}),
            (std::vector<std::string>{"C-\\A.JPG", "D-\\B.JPG"}));
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
