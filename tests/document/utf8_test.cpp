#include "text/utf8.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(RepairUtf8, KeepsWellFormedTextAndReplacesEveryBadByte) {
  const std::string r = "\xEF\xBF\xBD";  // U+FFFD
  struct Case {
    const char* what;
    std::string in, out;
  } cases[] = {
      {"ASCII and empty", "plain", "plain"},
      {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
       "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
      {"highest code point", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
      {"single-byte code page", "caf\xE9", "caf" + r},
      {"cut at the end", "ab\xE2\x82", "ab" + r + r},
      {"stray continuation", "\x80x", r + "x"},
      {"overlong", "\xC0\xAF", r + r},
      {"overlong three bytes", "\xE0\x80\xAF", r + r + r},
      {"surrogate", "\xED\xA0\x80", r + r + r},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
      {"never in UTF-8", "\xFE\xFF", r + r},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RepairUtf8(c.in), c.out) << c.what;
    // Code points and back repair the same way.
    EXPECT_EQ(Utf8FromCodePoints(CodePointsFromUtf8(c.in)), c.out) << c.what;
  }
  EXPECT_EQ(RepairUtf8(""), "");
  EXPECT_EQ(CodePointsFromUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
            U"a\u00E9\u20AC\U0001F600");
}

}  // namespace
}  // namespace vx
