#include "document/conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <set>

namespace vx {
namespace {

TEST(Colors, TextForms) {
  EXPECT_EQ(ColorToText(255 | (128 << 8)), "#FF8000");
  EXPECT_EQ(ColorToText(12 | (11 << 8) | (10 << 16)), "#0C0B0A");
  const struct {
    const char* text;
    Color color;
  } cases[] = {
      {"#FF0000", 255},        // red lands in the lowest byte
      {"#0000FF", 0xFF0000},   // blue in the highest
      {"#FFF", 0},             // too short
      {"$0000FF", 255},        // hexadecimal integer
      {"255", 0},              // too short even as a number
      {"#GG0000", 0},          // not hexadecimal
      {"16777215", 16777215},  // decimal integer
      {"1234567x", 0},         // trailing junk
  };
  for (const auto& c : cases) EXPECT_EQ(TextToColor(c.text), c.color) << c.text;
}

class Reals : public testing::TestWithParam<const char*> {};

TEST_P(Reals, AreLocaleIndependent) {
  // Runs under the C locale and under one with a comma decimal separator, where present.
  if (std::setlocale(LC_ALL, GetParam()) == nullptr) GTEST_SKIP() << GetParam() << " missing";
  EXPECT_EQ(RealToText(0.25), " 2.50000000000000E-0001");
  EXPECT_EQ(RealToText(0.5), " 5.00000000000000E-0001");
  EXPECT_EQ(RealToText(-0.125), "-1.25000000000000E-0001");
  EXPECT_EQ(RealToText(0), " 0.00000000000000E+0000");
  EXPECT_EQ(RealToText(1234.5), " 1.23450000000000E+0003");
  for (const char* text : {" 5.00000000000000E-0001", "0.5", "+5E-1", "  .5", "5e-1"}) {
    EXPECT_DOUBLE_EQ(TextToReal(text), 0.5) << text;
  }
  EXPECT_DOUBLE_EQ(TextToReal(RealToText(-0.125)), -0.125);
  EXPECT_DOUBLE_EQ(TextToReal(RealToText(0)), 0);
  for (const char* bad : {"0,5", "", "abc", "1.5x", "1e", "-", "5 ", "."}) {
    try {
      TextToReal(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const std::exception& e) {
      EXPECT_EQ(std::string(e.what()), std::string(bad) + " isn't a valid float");
    }
  }
  std::setlocale(LC_ALL, "C");
}

INSTANTIATE_TEST_SUITE_P(Locales, Reals, testing::Values("C", "de_DE.UTF-8"));

TEST(Hex, EncodesUpperCaseAndDecodesBack) {
  const std::string bytes("\x00\x7F\x80\xFF\x0A", 5);
  EXPECT_EQ(HexEncode(bytes), "007F80FF0A");
  EXPECT_EQ(HexDecode("007F80FF0A"), bytes);
  EXPECT_EQ(HexDecode("4142F"), "AB");  // an odd last character is ignored
  EXPECT_EQ(HexDecode("41ff42"), "A");  // lower case is not hexadecimal here
}

TEST(Ids, AreThirtyTwoUpperHexDigitsAndUnique) {
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i) {
    const std::string id = NewId();
    ASSERT_EQ(id.size(), 32u);
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos) << id;
    EXPECT_TRUE(seen.insert(id).second);
  }
}

}  // namespace
}  // namespace vx
