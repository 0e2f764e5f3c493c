#include "text/bidi.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(VisualOrder, ReordersRightToLeftRunsOnly) {
  struct Case {
    const char* what;
    std::u32string logical, visual;
  } cases[] = {
      {"left-to-right text stays", U"Grüße (1)", U"Grüße (1)"},
      {"empty", U"", U""},
      {"Hebrew reversed", U"\u05E9\u05DC\u05D5\u05DD", U"\u05DD\u05D5\u05DC\u05E9"},
      {"Hebrew word inside Latin", U"ab \u05D0\u05D1 cd", U"ab \u05D1\u05D0 cd"},
      {"numbers keep their order in a right-to-left line", U"\u05D0 12", U"12 \u05D0"},
      {"brackets mirrored in a right-to-left line", U"\u05D0(\u05D1)", U"(\u05D1)\u05D0"},
      // Beh Alef: initial Beh (U+FE91) and final Alef (U+FE8E), drawn right to left.
      {"Arabic joined", U"\u0628\u0627", U"\uFE8E\uFE91"},
      // Lam Alef becomes one ligature (U+FEFB); no filler is left behind.
      {"Arabic ligature", U"\u0644\u0627", U"\uFEFB"},
  };
  for (const Case& c : cases) EXPECT_EQ(VisualOrder(c.logical), c.visual) << c.what;
}

}  // namespace
}  // namespace vx
