// Archives with an icon of their own: the MAINICON block ahead of the others, and the window
// of the running archive carrying its pictures (read back from the X server).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// After gtest: X11's macros would break it.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "archive/archive_maker.h"
#include "archive/main_icon.h"
#include "blocks/data_blocks.h"
#include "picture/byte_order.h"
#include "picture/icon.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "sample_pictures.h"
#include "support/listed_blocks.h"
#include "support/temp_folder.h"
#include "support/test_archive.h"

namespace vx {
namespace {

using namespace std::chrono_literals;

// An icon header of one image at offset 22 of the given size, and the bytes after it.
std::string OneImageIcon(std::uint32_t size, const std::string& image) {
  std::string out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon
  Put16(out, 1);  // one image
  out += std::string("\x20\x20\0\0", 4);
  Put16(out, 1);   // planes
  Put16(out, 32);  // bits
  Put32(out, size);
  Put32(out, 22);  // offset
  return out + image;
}

class ArchiveIcon : public testing::Test {
 protected:
  test::TempFolder dir_;
};

TEST_F(ArchiveIcon, IconFilesAreCheckedAndPutFirst) {
  struct Case {
    const char* what;
    std::string icon;     // the file's bytes
    const char* message;  // nothing: put in
  };
  const std::string endTag = EndMarker("");
  const Case cases[] = {
      {"no images", std::string("\0\0\1\0\0\0", 6), nullptr},
      {"image ends exactly at the end", OneImageIcon(4, "abcd"), nullptr},
      {"image one byte past the end", OneImageIcon(5, "abcd"), "Icon file is invalid"},
      {"starts with MZ", "MZ" + OneImageIcon(4, "abcd").substr(2), "Icon file is invalid"},
      {"holds a block marker", OneImageIcon(4, endTag), "Icon file is invalid"},
      {"over 1 MiB", OneImageIcon(4, std::string(kMaxIconFileBytes, 'x')),
       "Icon file is too large"},
  };
  for (const Case& c : cases) {
    const std::string exe = dir_.Write("viewer", "VIEWER PROGRAM");
    const std::string icon = dir_.Write("icon.ico", c.icon);
    try {
      ReplaceMainIcon(exe, icon);
      EXPECT_EQ(c.message, nullptr) << c.what;
      EXPECT_EQ(ReadWholeFile(exe),
                "VIEWER PROGRAM" + StartMarker(kMainIconBlock) + c.icon + EndMarker(kMainIconBlock))
          << c.what;
    } catch (const std::runtime_error& e) {
      ASSERT_NE(c.message, nullptr) << c.what << ": " << e.what();
      EXPECT_STREQ(e.what(), c.message) << c.what;
      EXPECT_EQ(ReadWholeFile(exe), "VIEWER PROGRAM") << c.what;
    }
  }
  EXPECT_THROW(ReplaceMainIcon(dir_ / "viewer", dir_ / "missing.ico"), std::runtime_error);
}

TEST_F(ArchiveIcon, ANewIconTakesTheOldOnesPlaceAndApplyLeavesNoFileBehind) {
  const std::string exe = dir_.Write("viewer", "VIEWER PROGRAM");
  const std::string first = OneImageIcon(1, "1"), second = OneImageIcon(2, "22");
  ApplyIcon(first, exe);
  AppendBlock("PIG_TXT", exe, "<VX/>");
  ApplyIcon(second, exe);
  const std::string bytes = ReadWholeFile(exe);
  EXPECT_EQ(bytes.find(first), std::string::npos);
  const BlockIndex index(bytes);
  ASSERT_EQ(index.List().size(), 2u);
  EXPECT_EQ(index.List()[0].name, kMainIconBlock);
  EXPECT_EQ(index.Find(kMainIconBlock), second);
  EXPECT_EQ(index.Find("PIG_TXT"), "<VX/>");
  EXPECT_THROW(ApplyIcon("MZ no icon", exe), std::runtime_error);
  EXPECT_EQ(ReadWholeFile(exe), bytes);
  // Only the program is left in its folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1);
}

// The viewer's caption ends with the archive's name ("1 / 1 - p - NAME" once a picture is shown).
bool CaptionOf(const std::string& caption, const std::string& archiveName) {
  return caption == archiveName || caption.ends_with(" - " + archiveName);
}

// The pictures of the window icon of the running archive's window once they are the ones
// expected (the archive's own icon comes a moment after the window), else the last ones seen
// within a few seconds; nothing when no such window came.
std::optional<std::vector<IconPicture>> WindowIconOf(const std::string& archiveName,
                                                     const std::vector<IconPicture>& expected) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return std::nullopt;
  // Other tests' windows come and go on the same server: one gone between listing and
  // reading is skipped rather than ending this process.
  const auto previousHandler = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  const Atom iconAtom = XInternAtom(display, "_NET_WM_ICON", False);
  std::optional<std::vector<IconPicture>> result;
  for (auto waited = 0ms; (!result || *result != expected) && waited < 10s; waited += 50ms) {
    std::this_thread::sleep_for(50ms);
    result.reset();
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count)) continue;
    for (unsigned i = 0; i < count && !result; ++i) {
      char* name = nullptr;
      const bool ours =
          XFetchName(display, children[i], &name) && name && CaptionOf(name, archiveName);
      if (name) XFree(name);
      Atom type = 0;
      int format = 0;
      unsigned long items = 0, after = 0;
      unsigned char* data = nullptr;
      if (!ours ||
          XGetWindowProperty(display, children[i], iconAtom, 0, LONG_MAX / 4, False, XA_CARDINAL,
                             &type, &format, &items, &after, &data) != Success) {
        continue;
      }
      if (format == 32 && items > 0) {
        // Width, height and the pixels, for every picture; 32-bit items come as longs.
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        std::vector<IconPicture> pictures;
        for (unsigned long at = 0; at + 2 <= items;) {
          IconPicture picture{
              static_cast<int>(values[at]), static_cast<int>(values[at + 1]), 32, {}};
          at += 2;
          for (int p = 0; p < picture.width * picture.height && at < items; ++p)
            picture.argb.push_back(static_cast<std::uint32_t>(values[at++]));
          pictures.push_back(std::move(picture));
        }
        result = std::move(pictures);
      }
      if (data) XFree(data);
    }
    if (children) XFree(children);
  }
  XCloseDisplay(display);
  XSetErrorHandler(previousHandler);
  return result;
}

// The window icon of the archive while it runs.
std::optional<std::vector<IconPicture>> RunningIcon(const std::string& archive,
                                                    const std::vector<IconPicture>& expected) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives the test, whatever becomes of it
    ::execl(archive.c_str(), archive.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  auto icon = WindowIconOf(std::filesystem::path(archive).filename().string(), expected);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  return icon;
}

std::vector<IconPicture> AsShown(std::vector<IconPicture> pictures) {
  for (IconPicture& picture : pictures) picture.bitCount = 32;
  return pictures;
}

class RunningArchiveIcon : public ArchiveIcon {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs a display (the tests run under Xvfb)";
    WriteFileAtomically(dir_ / "p.jpg", *EncodeJpeg(MakeSamplePicture(64, 48, 3), 90));
  }
  // The archive of a one-picture project with the icon text, made by vellumax-make.
  std::string MakeWithTool(const std::string& name, const std::string& iconText) {
    const std::string archive = dir_ / name;
    dir_.Write("project.vxpr", "<VX OUTPUT_FILE=\"" + archive + "\" HICO=\"" + iconText +
                                   "\"><FRAME FRAME_ID=F1 SRC_FILE=\"" + dir_ / "p.jpg" +
                                   "\"/></VX>");
    const std::string command = std::string(VX_MAKE_PATH) + " '" + dir_ / "project.vxpr" +
                                "' --viewer '" + VX_VIEWER_PATH + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return archive;
  }
};

TEST_F(RunningArchiveIcon, AProjectsIconIsTheArchivesWindowIcon) {
  Bitmap picture(40, 40);
  picture.Fill(0x3366CC);
  picture.FillRect({4, 4, 12, 12}, 0xFFFFFF);
  const std::string icon = IconFromBitmap(picture);
  const std::string archive =
      MakeWithTool("with-icon-" + std::to_string(::getpid()) + ".run", IconText(icon));
  const auto names = test::ListedBlockNames(archive);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "MAINICON");
  EXPECT_EQ(names[1], "PIG_TXT");
  EXPECT_EQ(names[2], "F1");
  const auto shown = RunningIcon(archive, AsShown(DecodeIcoImages(icon)));
  ASSERT_TRUE(shown) << "no window icon";
  EXPECT_EQ(*shown, AsShown(DecodeIcoImages(icon)));
}

TEST_F(RunningArchiveIcon, WithoutOneTheViewersOwnIconIsShown) {
  const std::string archive =
      MakeWithTool("default-icon-" + std::to_string(::getpid()) + ".run", "");
  EXPECT_EQ(test::ListedBlockNames(archive), (std::vector<std::string>{"PIG_TXT", "F1"}));
  const auto shown = RunningIcon(archive, DefaultIconPictures());
  ASSERT_TRUE(shown) << "no window icon";
  EXPECT_EQ(*shown, DefaultIconPictures());
}

TEST_F(RunningArchiveIcon, ADamagedIconBlockLeavesTheViewersIcon) {
  const std::string archive = dir_ / ("damaged-icon-" + std::to_string(::getpid()) + ".run");
  TKelPigger project;
  project.LoadFromText("<VX OUTPUT_FILE=\"" + archive + "\"><FRAME FRAME_ID=F1 SRC_FILE=\"" +
                       dir_ / "p.jpg" + "\"/></VX>");
  MakeOptions options;
  options.viewerPath = VX_VIEWER_PATH;
  options.mainIcon = OneImageIcon(4, "junk");  // a valid directory, an image that is none
  test::NoMessages observer;
  ASSERT_TRUE(MakeArchive(project, options, observer));
  EXPECT_EQ(test::ListedBlockNames(archive)[0], "MAINICON");
  const auto shown = RunningIcon(archive, DefaultIconPictures());
  ASSERT_TRUE(shown) << "no window icon";
  EXPECT_EQ(*shown, DefaultIconPictures());

  // An icon that fails its checks is left out: the archive is made all the same.
  options.mainIcon = "MZ";
  ASSERT_TRUE(MakeArchive(project, options, observer));
  EXPECT_EQ(test::ListedBlockNames(archive), (std::vector<std::string>{"PIG_TXT", "F1"}));
}

}  // namespace
}  // namespace vx
