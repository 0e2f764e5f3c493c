#include "filter_index.h"

#include <gtest/gtest.h>

namespace vx::viewer {
namespace {

TKelPigger* Description(TKelPigger& root, const std::string& frames) {
  root.LoadFromText("<VX>" + frames + "</VX>");
  return &root;
}

TEST(FilterIndex, SplitsDescriptionsIntoUpperCaseWords) {
  TKelPigger root;
  FilterIndex index;
  index.ScanDocument(
      *Description(root,
                   "<FRAME><FLDS>Hello, world! Hi on a-b\tc\xC3\xA9t\xC3\xA9?party</FLDS></FRAME>"
                   "<FRAME><FLDS>hello again</FLDS></FRAME>"));
  EXPECT_EQ(index.DescriptionWords(), (std::vector<std::string>{"A-B\tC\xC3\x89T\xC3\x89", "AGAIN",
                                                                "HELLO", "PARTY", "WORLD"}));
  EXPECT_TRUE(index.HasTexts());
  EXPECT_FALSE(index.HasFields());
  EXPECT_FALSE(index.HasPointers());
}

TEST(FilterIndex, FieldsMergeIgnoringCaseAndKeepTheLastSpelling) {
  TKelPigger root;
  FilterIndex index;
  index.ScanDocument(*Description(
      root,
      "<FRAME><FLDS><FLD FNAME=Colour FTYPE=text VAL=red/><FLD FNAME=Size VAL=big/></FLDS></FRAME>"
      "<FRAME><FLDS><FLD FNAME=colour VAL=Red/><FLD FNAME=colour VAL=blue/><FLD "
      "VAL=nameless/></FLDS></FRAME>"
      "<FRAME><PNTRS><CLD ARRTXT=\"Old tower\"/><ARR ARRTXT=ok/><PRAR "
      "ARRTXT=secret/><NOTE/></PNTRS></FRAME>"));
  EXPECT_EQ(index.Criteria(),
            (std::vector<std::string>{"0:DESCRIPTION", "1:POINTERS", "2:Colour", "2:Size"}));
  EXPECT_EQ(index.ValuesFor("2:Colour"), (std::vector<std::string>{"blue", "Red"}));
  EXPECT_EQ(index.ValuesFor("1:POINTERS"), (std::vector<std::string>{"OLD TOWER"}));
  EXPECT_TRUE(index.HasFields());
  EXPECT_TRUE(index.HasPointers());
}

TEST(FilterIndex, MatchingRules) {
  TKelPigger root;
  FilterIndex index;
  Description(root,
              "<FRAME FRAME_ID=A><FLDS>A party at night<FLD FNAME=Colour VAL=Red/></FLDS>"
              "<PNTRS><CLD ARRTXT=\"Old tower\"/></PNTRS></FRAME>"
              "<FRAME FRAME_ID=B><FLDS>Quiet street<FLD FNAME=colour VAL=blue/></FLDS></FRAME>"
              "<FRAME FRAME_ID=C/>");
  index.ScanDocument(root);
  const TKelPigger& a = *root.Child(0);
  const TKelPigger& b = *root.Child(1);
  const TKelPigger& c = *root.Child(2);
  const struct {
    const char* what;
    FilterChoice choice;
    bool a, b, c;
  } cases[] = {
      {"inactive: everything passes", {false, "0:DESCRIPTION", {}}, true, true, true},
      {"substring of a word", {true, "0:DESCRIPTION", {"ART"}}, true, false, false},
      {"nothing checked: nothing passes", {true, "0:DESCRIPTION", {}}, false, false, false},
      {"pointer text exactly", {true, "1:POINTERS", {"OLD TOWER"}}, true, false, false},
      {"pointer text partly", {true, "1:POINTERS", {"OLD"}}, false, false, false},
      {"field value ignoring case", {true, "2:Colour", {"red"}}, true, false, false},
      {"two field values", {true, "2:COLOUR", {"red", "BLUE"}}, true, true, false},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(index.Passes(a, k.choice), k.a) << k.what;
    EXPECT_EQ(index.Passes(b, k.choice), k.b) << k.what;
    EXPECT_EQ(index.Passes(c, k.choice), k.c) << k.what;
  }
}

TEST(FilterIndex, EmptyArchiveHasNothingToFilterBy) {
  TKelPigger root;
  FilterIndex index;
  index.ScanDocument(*Description(root, "<FRAME FRAME_ID=A SRC_FILE=x.jpg/>"));
  EXPECT_FALSE(index.HasTexts() || index.HasFields() || index.HasPointers());
}

}  // namespace
}  // namespace vx::viewer
