#include "document/kel_pigger.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "platform/files.h"

namespace vx {
namespace {

TEST(KelPiggerWriter, WritesTheSixLineExampleByteForByte) {
  TKelPigger root;
  root.SetName("vx");
  root.SetAttr("OFT", "0");
  auto* frame = new TKelPigger(&root);
  frame->SetName("FRAME");
  frame->SetAttr("FRAME_ID", "7");
  frame->Text = "Sea";
  (new TKelPigger(frame))->SetName("FLDS");
  EXPECT_EQ(
      root.SaveToText(),
      "\r\n<VX OFT=\"0\">\r\n\t<FRAME FRAME_ID=\"7\">Sea\r\n\t\t<FLDS/>\r\n\t</FRAME>\r\n</VX>");
}

TEST(KelPiggerWriter, NamelessRootWritesNothingNamedRootWritesEmptyElement) {
  TKelPigger root;
  EXPECT_EQ(root.SaveToText(), "");
  root.SetName("  a ");
  EXPECT_EQ(root.SaveToText(), "\r\n<A/>");
}

TEST(KelPiggerAttributes, KeepOrderDeleteOnEmptyAndFoldCase) {
  TKelPigger node;
  node.SetAttr("a", "1");
  node.SetAttr("B", "2");
  node.SetAttr("A", "3");
  EXPECT_EQ(node.AttrNames, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(node.GetAttr("a"), "3");
  node.SetAttr("a", "");
  EXPECT_EQ(node.AttrNames, (std::vector<std::string>{"B"}));
  EXPECT_EQ(node.GetAttr("missing"), "");
}

TEST(KelPiggerEscaping, SpecialBytesAreEscapedAndComeBack) {
  const std::string value = std::string("q\"p%l<g>\x01") + "\t\r\n&'/=\x7F\xC3\xA9";
  EXPECT_EQ(EscapeText(value), std::string("q%22p%25l%3Cg%3E%01") + "\t\r\n&'/=\x7F\xC3\xA9");
  TKelPigger node;
  node.SetName("N");
  node.SetAttr("V", value);
  node.Text = "x" + value;
  TKelPigger back;
  back.LoadFromText(node.SaveToText());
  EXPECT_EQ(back.GetAttr("V"), value);
  EXPECT_EQ(back.Text, "x" + value);
}

TEST(KelPiggerEscaping, PercentNearTheEndNeverReadsPastTheValue) {
  EXPECT_EQ(UnescapeText("ab%"), "ab%");
  EXPECT_EQ(UnescapeText("ab%4"), "ab%4");
  EXPECT_EQ(UnescapeText("%41"), "A");
  // Lower-case digits are not hexadecimal: 'a' counts 97 - 55.
  EXPECT_EQ(UnescapeText("%0a"), std::string(1, static_cast<char>(42)));
}

TEST(KelPiggerReader, ReadsAttributesInAllForms) {
  TKelPigger node;
  node.LoadFromText("<a b=x c d=\"1 2\"/>");
  EXPECT_EQ(node.Name, "A");
  EXPECT_EQ(node.AttrNames, (std::vector<std::string>{"B", "C", "D"}));
  EXPECT_EQ(node.AttrValues, (std::vector<std::string>{"x", "", "1 2"}));
}

TEST(KelPiggerReader, ConcatenatesTrimmedTextAroundChildren) {
  TKelPigger node;
  node.LoadFromText("junk before < A > one <B/> two </a> junk after");
  EXPECT_EQ(node.Text, "onetwo");
  ASSERT_EQ(node.ChildCount(), 1);
  EXPECT_EQ(node.Child(0)->Name, "B");
  EXPECT_EQ(node.Child(0)->Parent, &node);
}

struct ParseErrorCase {
  const char* what;
  const char* text;
  const char* message;
  int position;
};

void PrintTo(const ParseErrorCase& c, std::ostream* os) { *os << c.what; }

class KelPiggerParseErrors : public testing::TestWithParam<ParseErrorCase> {};

TEST_P(KelPiggerParseErrors, GiveMessageAndPosition) {
  const ParseErrorCase& c = GetParam();
  TKelPigger node;
  try {
    node.LoadFromText(c.text);
    FAIL() << "no error for " << c.what;
  } catch (const EKelPiggerError& e) {
    EXPECT_STREQ(e.what(), c.message) << c.what;
    EXPECT_EQ(e.Position, c.position) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, KelPiggerParseErrors,
    testing::Values(ParseErrorCase{"no element at all", "just text", "Syntax error", 1},
                    ParseErrorCase{"name never ends", "<ABC", "Syntax error", 1},
                    ParseErrorCase{"slash inside unquoted value", "<A B=x/y>", "Syntax error", 8},
                    ParseErrorCase{"quoted value never closed", "<A B=\"xy>", "Syntax error", 6},
                    ParseErrorCase{"unquoted value runs to the end", "<A B=xy", "Syntax error", 6},
                    ParseErrorCase{"text ends after attribute name", "<A B", "Syntax error", 4},
                    ParseErrorCase{"text ends on a blank in the tag", "<A B ", "Syntax error", 5},
                    ParseErrorCase{"text ends after =", "<A B=", "Syntax error", 6},
                    ParseErrorCase{"start tag ended by a lone slash", "<A/x>", "Syntax error", 4},
                    ParseErrorCase{"missing end tag", "<A><B/>", "Syntax error", 8},
                    ParseErrorCase{"wrong end tag", "<A></B>", "Unclosed tag: A", 4},
                    ParseErrorCase{"end tag without >", "<A></A x>", "Unclosed tag: A", 4},
                    ParseErrorCase{"blank after </", "<A></ A>", "Unclosed tag: A", 4}),
    [](const testing::TestParamInfo<ParseErrorCase>& param) {
      std::string name = param.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(KelPiggerReader, EndTagIsCaseInsensitive) {
  TKelPigger node;
  node.LoadFromText("<A>t</a>");
  EXPECT_EQ(node.Text, "t");
}

TEST(KelPiggerReader, DeepNestingIsASyntaxErrorNotACrash) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "<A>";
  TKelPigger node;
  EXPECT_THROW(node.LoadFromText(text), EKelPiggerError);
  std::string ok;
  for (int i = 0; i < 200; ++i) ok += "<A>";
  for (int i = 0; i < 200; ++i) ok += "</A>";
  EXPECT_NO_THROW(node.LoadFromText(ok));
}

TEST(KelPiggerReader, WriteThenReadGivesTheSameTree) {
  TKelPigger root;
  root.LoadFromText(
      "<VX OFT=\"0\" PWDLT=\"caf\xC3\xA9 \x80\xFF\"><FRAME FRAME_ID=\"1\"><FLDS>line1\r\nline2"
      "<FLD FNAME=\"n\" VAL=\"%25\"/></FLDS></FRAME><FRAME FRAME_ID=\"2\"/></VX>");
  const std::string first = root.SaveToText();
  TKelPigger again;
  again.LoadFromText(first);
  EXPECT_EQ(again.SaveToText(), first);
  EXPECT_EQ(again.GetAttr("PWDLT"), "caf\xC3\xA9 \x80\xFF");
  EXPECT_EQ(again.FindChild("frame")->FindChild("FLDS")->Text, "line1\r\nline2");
}

TEST(KelPiggerStream, LineBreaksInValuesComeBackAsCrLfAndZeroEndsTheText) {
  TKelPigger node;
  std::string bytes = "<A V=\"1\n2\r3\">x</A>";
  bytes += '\0';
  bytes += "<junk";
  node.LoadFromStream(bytes);
  EXPECT_EQ(node.GetAttr("V"), "1\r\n2\r\n3");
}

TEST(KelPiggerSearch, ChildrenByNameAndByAttribute) {
  TKelPigger root;
  root.LoadFromText("<R><F ID=a/><X/><F ID=\xC3\xA9t\xC3\xA9/><F/></R>");
  TKelPigger* first = root.FindChild("f");
  ASSERT_NE(first, nullptr);
  TKelPigger* second = root.FindNext(first);
  EXPECT_EQ(second, root.Child(2));
  EXPECT_EQ(root.FindNext(root.FindNext(second)), nullptr);
  EXPECT_EQ(root.FindNext(nullptr), nullptr);
  EXPECT_EQ(root.Child(-1), nullptr);
  EXPECT_EQ(root.Child(root.ChildCount()), nullptr);
  EXPECT_EQ(root.FindChildByAttr("id", "A"), first);
  EXPECT_EQ(root.FindChildByAttr("ID", "\xC3\x89T\xC3\x89"), second);  // "ÉTÉ" finds "été"
  EXPECT_EQ(root.FindChildByAttr("ID", ""), root.Child(1));            // no attribute matches empty
  EXPECT_EQ(root.FindNextByAttr(root.Child(1), "ID", ""), root.Child(3));
}

TEST(KelPiggerStructure, SetParentMovesAndReindentsTheSubtree) {
  TKelPigger a;
  a.LoadFromText("<A><B><C/></B></A>");
  TKelPigger target;
  target.LoadFromText("<T><U/></T>");
  TKelPigger* b = a.Child(0);
  b->SetParent(target.Child(0));
  EXPECT_EQ(a.ChildCount(), 0);
  EXPECT_EQ(b->Level, 2);
  EXPECT_EQ(b->Child(0)->Indent, "\r\n\t\t\t");
  EXPECT_EQ(target.SaveToText(),
            "\r\n<T>\r\n\t<U>\r\n\t\t<B>\r\n\t\t\t<C/>\r\n\t\t</B>\r\n\t</U>\r\n</T>");
  delete b;
  EXPECT_EQ(target.Child(0)->ChildCount(), 0);
}

TEST(KelPiggerStructure, AssignDeepCopiesAlsoFromOwnDescendant) {
  TKelPigger source;
  source.LoadFromText("<A K=v>t<B><C/></B></A>");
  TKelPigger copy;
  copy.Assign(source);
  EXPECT_EQ(copy.SaveToText(), source.SaveToText());
  copy.Assign(*copy.Child(0));
  EXPECT_EQ(copy.SaveToText(), "\r\n<B>\r\n\t<C/>\r\n</B>");
}

TEST(KelPiggerFiles, SaveReplacesAtomicallyAndLoadReportsMissingFiles) {
  const auto dir = std::filesystem::temp_directory_path() / "vx_kel_files";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "p.vxpr").string();
  { std::ofstream(path) << "old contents"; }
  TKelPigger node;
  node.LoadFromText("<VX A=1/>");
  node.SaveToFile(path);
  EXPECT_EQ(ReadWholeFile(path), "\r\n<VX A=\"1\"/>");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no leftovers

  try {
    node.LoadFromFile((dir / "none.vxpr").string());
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + (dir / "none.vxpr").string());
  }
  EXPECT_THROW(node.SaveToFile((dir / "no/such/folder.vxpr").string()), std::runtime_error);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vx
