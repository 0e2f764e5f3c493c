#include "platform/ui_scale.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vx
