#include "text/text_case.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(TextCase, AsciiUpperLeavesOtherBytes) {
  EXPECT_EQ(AsciiUpper("pig_txt \xC3\xA9"), "PIG_TXT \xC3\xA9");
}

TEST(TextCase, Utf8UpperFoldsEveryLetterAndKeepsInvalidBytes) {
  EXPECT_EQ(Utf8Upper("caf\xC3\xA9 \xC3\xBF stra\xC3\x9F"
                      "e"),
            "CAF\xC3\x89 \xC5\xB8 STRA\xC3\x9F"
            "E");
  EXPECT_EQ(Utf8Upper(std::string("a\x80\xFFz")), std::string("A\x80\xFFZ"));
  EXPECT_TRUE(SameTextIgnoringCase("\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"));
  EXPECT_FALSE(SameTextIgnoringCase("e", "\xC3\xA9"));
}

}  // namespace
}  // namespace vx
