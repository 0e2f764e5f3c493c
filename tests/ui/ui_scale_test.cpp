#include "platform/ui_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/desktop_resources.h"

namespace vx {
namespace {

struct ScaleCase {
  const char* what;
  ScaleSources sources;
  double factor;
};

TEST(UiScale, ChoosesTheFirstUsableSourceInQuarterSteps) {
  const ScaleCase cases[] = {
      {"nothing set", {}, 1.0},
      {"our override wins over everything", {"1.5", "192", "3", "4"}, 1.5},
      {"Xft.dpi of 192 is double", {{}, "192", "3", {}}, 2.0},
      {"Xft.dpi of 144 is one and a half", {{}, "144", {}, {}}, 1.5},
      {"Xft.dpi rounds to the nearest quarter", {{}, "120", {}, {}}, 1.25},
      {"GDK_SCALE when Xft.dpi is absent", {{}, {}, "2", "3"}, 2.0},
      {"QT_SCALE_FACTOR last", {{}, {}, {}, "1.75"}, 1.75},
      {"unreadable override falls through", {"auto", "192", {}, {}}, 2.0},
      {"trailing junk is unreadable", {"2x", {}, {}, {}}, 1.0},
      {"spaces around a number are fine", {" 2 ", {}, {}, {}}, 2.0},
      {"zero, negative and NaN are unreadable", {"0", "-96", "nan", {}}, 1.0},
      {"never below one", {{}, "72", {}, {}}, 1.0},
      {"never above four", {"10", {}, {}, {}}, 4.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ChooseScaleFactor(c.sources), c.factor) << c.what;
}

// Run by the test below in a child process on a display of its own; skipped on its own.
TEST(UiScale, ChildOnADesktopWithXftDpi) {
  const char* dpi = std::getenv("VX_TEST_XFT_DPI");
  const char* expected = std::getenv("VX_TEST_EXPECTED_FACTOR");
  if (!dpi || !expected) GTEST_SKIP() << "only run as the child of TheDesktopsXftDpiSetsTheFactor";
  ASSERT_TRUE(test::SetDesktopResources(std::string("Xft.dpi:\t") + dpi + "\n"));
  EXPECT_DOUBLE_EQ(ScaleFactor(), std::atof(expected));
}

// As a desktop at 200 % publishes it, read from a real X server (kept from resetting when the
// resources' writer disconnects, as a desktop's server is).
TEST(UiScale, TheDesktopsXftDpiSetsTheFactor) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  for (const auto& [dpi, factor] : {std::pair{"192", "2"}, {"144", "1.5"}}) {
    const std::string command =
        std::string(
            "xvfb-run -a -s '-screen 0 320x240x24 -noreset' env -u VX_SCALE -u GDK_SCALE "
            "-u QT_SCALE_FACTOR VX_TEST_XFT_DPI=") +
        dpi + " VX_TEST_EXPECTED_FACTOR=" + factor + " '" + self +
        "' --gtest_filter=UiScale.ChildOnADesktopWithXftDpi >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "Xft.dpi " << dpi;
  }
}

}  // namespace
}  // namespace vx
