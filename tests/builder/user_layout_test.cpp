#include "platform/user_layout.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

TEST(UserDirs, ReadsTheDesktopsFolderNamesLikeXdgUserDir) {
  const std::string dirs =
      "# XDG_DOCUMENTS_DIR=\"$HOME/Commented\"\n"
      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
      "  XDG_PICTURES_DIR=\"/data/photos/\"\n"
      "XDG_MUSIC_DIR=\"$HOME/\"\n"
      "XDG_VIDEOS_DIR=$HOME/Videos\n"
      "XDG_TEMPLATES_DIR=\"$HOMEwork\"\n"
      "XDG_PUBLICSHARE_DIR=\"relative/path\"\n";
  struct Case {
    const char* what;
    const char* name;
    std::string expected;
  } cases[] = {
      {"below home", "DOCUMENTS", "/home/ann/Dokumente"},
      {"absolute, indented, trailing slash", "PICTURES", "/data/photos/"},
      {"home itself", "MUSIC", "/home/ann/"},
      {"unquoted", "VIDEOS", "/home/ann"},
      {"$HOME glued to a name", "TEMPLATES", "/home/ann"},
      {"relative", "PUBLICSHARE", "/home/ann"},
      {"missing", "DOWNLOAD", "/home/ann"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UserDirFrom(dirs, c.name, "/home/ann"), c.expected) << c.what;
  }
}

class Layouts : public testing::Test {
 protected:
  void Make(std::initializer_list<const char*> folders) {
    for (const char* folder : folders) fs::create_directories(dir_.Path() / "dist" / folder);
  }
  std::string Program() const { return dir_ / "dist/bin/Vellumax"; }
  const DesktopFolders desktop_{"/home/ann/.config", "/home/ann/Dokumente", "/home/ann/Bilder"};
  test::TempFolder dir_;
};

TEST_F(Layouts, PortableLayoutKeepsEverythingBesideTheProgram) {
  Make({"bin", "projects", "graphics", "output", "egraphics", "doc"});
  const UserLayout layout = ChooseUserLayout(Program(), desktop_);
  EXPECT_TRUE(layout.portable);
  EXPECT_EQ(layout.settingsFile, dir_ / "dist/bin/Vellumax.set");
  EXPECT_EQ(layout.source, "../graphics");
  EXPECT_EQ(ResolveFolder(layout, layout.projects), dir_ / "dist/projects");
  EXPECT_EQ(ResolveFolder(layout, layout.output), dir_ / "dist/output");
  // Settings written on Windows name their folders with backslashes.
  EXPECT_EQ(ResolveFolder(layout, "..\\egraphics\\"), dir_ / "dist/egraphics");
  EXPECT_EQ(ResolveFolder(layout, "/srv/pictures"), "/srv/pictures");
}

TEST_F(Layouts, InstalledProgramFollowsTheDesktop) {
  // Without every folder of the portable layout (here doc/), the program counts as installed.
  Make({"bin", "projects", "graphics", "output", "egraphics"});
  const UserLayout layout = ChooseUserLayout(Program(), desktop_);
  EXPECT_FALSE(layout.portable);
  EXPECT_EQ(layout.settingsFile, "/home/ann/.config/vellumax/Vellumax.set");
  EXPECT_EQ(layout.source, "/home/ann/Bilder");
  EXPECT_EQ(layout.projects, "/home/ann/Dokumente/Vellumax/projects");
  EXPECT_EQ(layout.output, "/home/ann/Dokumente/Vellumax/output");
  EXPECT_EQ(layout.exported, "/home/ann/Dokumente/Vellumax/egraphics");
  EXPECT_EQ(ResolveFolder(layout, "archives"), "/home/ann/Dokumente/Vellumax/archives");
}

}  // namespace
}  // namespace vx
