#include "document/project_state.h"

#include <gtest/gtest.h>

#include "document/conversions.h"
#include "protection/cipher.h"
#include "support/temp_folder.h"

namespace vx {

void PrintTo(const FrameRecord& f, std::ostream* os) {
  *os << "{" << f.id << ", " << f.sourceFile << ", " << f.footer << ", " << f.fieldsText << ", "
      << f.pointersText << "}";
}

namespace {

// Two frames as a person makes them: fields with a description, pointers of each kind.
const std::vector<FrameRecord> kFrames = {
    {"0123456789ABCDEF0123456789ABCDEF", "/pictures/beach.jpg", "beach.jpg",
     "<FLDS>Sunny\r\nday\r\n<FLD FNAME=\"Place\" FTYPE=\"text\" VAL=\"Nice\"/></FLDS>",
     "<PNTRS><CLD OBJ_ID=\"A1\" XR=\" 5.00000000000000E-0001\" ARRTXT=\"Sea\"/>"
     "<PRAR OBJ_ID=\"A2\" RFW=\" 2.50000000000000E-0001\"/></PNTRS>"},
    {"FEDCBA9876543210FEDCBA9876543210", "/pictures/hill.png", "The hill", "", ""},
};

// A subtree's text as a tree of its own writes it.
std::string Standalone(const std::string& text) {
  if (text.empty()) return text;
  TKelPigger tree;
  tree.LoadFromText(text);
  return tree.SaveToText();
}

ProjectProperties Properties() {
  ProjectProperties p;
  p.outputFile = "/out/trip.run";
  p.noHintLine = "kept";
  p.lensBorderColor = "#008040";
  p.lensDiameter = "170";
  p.jpegQuality = "80";
  p.outputKind = "1";
  p.pointersInZip = "Y";
  p.icon = "424D";
  p.password = "secret word";
  p.passwordLinkText = "Ask me";
  p.passwordLinkAddress = "example.org";
  p.protection = "compatible";
  return p;
}

TEST(ProjectState, WritesKeysInOrderAndReadsEverythingBack) {
  TKelPigger document;
  WriteProject(document, Properties(), 230, kFrames);
  const std::vector<std::string> order = {
      "OUTPUT_FILE", "NO_HINT_LINE", "MG_BORDER_COLOR", "MG_DIAMETER", "TNP_WIDTH",
      "JPQ",         "OFT",          "SP4ZA",           "HICO",        "PWDIM",
      "PWDLT",       "PWDLH",        "PROTECTION"};
  EXPECT_EQ(document.Name, "VX");
  EXPECT_EQ(document.AttrNames, order);
  // The password is kept in its stored form, hex-encoded.
  EXPECT_EQ(document.GetAttr("PWDIM"), HexEncode(StorePassword("secret word")));

  TKelPigger reread;
  reread.LoadFromText(document.SaveToText());
  EXPECT_EQ(ReadProperties(reread), Properties());
  EXPECT_EQ(StripWidthOf(reread), 230);
  bool made = false;
  std::vector<FrameRecord> expected = kFrames;
  for (FrameRecord& frame : expected) {
    frame.fieldsText = Standalone(frame.fieldsText);
    frame.pointersText = Standalone(frame.pointersText);
  }
  EXPECT_EQ(ReadFrames(reread, &made), expected);
  EXPECT_FALSE(made);
  // A frame's children come in their order; one without fields or pointers has neither.
  EXPECT_EQ(reread.Child(0)->Child(0)->Name, "FLDS");
  EXPECT_EQ(reread.Child(0)->Child(1)->Name, "PNTRS");
  EXPECT_EQ(reread.Child(1)->ChildCount(), 0);
  EXPECT_EQ(reread.Child(1)->AttrNames,
            (std::vector<std::string>{"FRAME_ID", "SRC_FILE", "FOOTER"}));
}

TEST(ProjectState, EmptyValuesAreLeftOut) {
  TKelPigger document;
  WriteProject(document, {}, std::nullopt, {{"ID1", "/a.jpg", "", "", ""}});
  EXPECT_TRUE(document.AttrNames.empty());  // no PWDIM for an empty password either
  EXPECT_EQ(document.Child(0)->AttrNames, (std::vector<std::string>{"FRAME_ID", "SRC_FILE"}));
  // Read back: kind "0" for a missing OFT, no strip width.
  EXPECT_EQ(ReadProperties(document).outputKind, "0");
  EXPECT_EQ(StripWidthOf(document), std::nullopt);
}

TEST(ProjectState, ReadingGivesMissingIdentifiersAndSkipsOtherElements) {
  TKelPigger document;
  document.LoadFromText(
      "<VX TNP_WIDTH=\"wide\"><FRAME SRC_FILE=\"/a.jpg\"/><NOTE/>"
      "<FRAME FRAME_ID=\"  \" SRC_FILE=\"/b.jpg\"/></VX>");
  bool made = false;
  const std::vector<FrameRecord> frames = ReadFrames(document, &made);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_TRUE(made);
  EXPECT_EQ(frames[0].id.size(), 32u);
  EXPECT_EQ(frames[1].id.size(), 32u);
  EXPECT_NE(frames[0].id, frames[1].id);
  EXPECT_EQ(StripWidthOf(document), std::nullopt);
}

TEST(ProjectState, BrokenSubtreeTextFailsAndLeavesNoHalfDocument) {
  TKelPigger document;
  EXPECT_THROW(WriteProject(document, Properties(), 200, {{"ID", "/a.jpg", "", "<FLDS", ""}}),
               EKelPiggerError);
  EXPECT_EQ(document.ChildCount(), 0);
  EXPECT_TRUE(document.AttrNames.empty());
}

TEST(ProjectState, NewProjectNamesSkipExistingFiles) {
  test::TempFolder dir;
  EXPECT_EQ(NewProjectFileName(dir.Path().string()), dir / "Project1.vxpr");
  dir.Write("Project1.vxpr", "");
  dir.Write("Project3.vxpr", "");
  EXPECT_EQ(NewProjectFileName(dir.Path().string()), dir / "Project2.vxpr");
  dir.Write("Project2.vxpr", "");
  EXPECT_EQ(NewProjectFileName(dir.Path().string()), dir / "Project4.vxpr");
}

}  // namespace
}  // namespace vx
