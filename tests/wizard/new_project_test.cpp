#include "wizard/new_project.h"

#include <gtest/gtest.h>

#include <regex>

#include "picture/geometry.h"
#include "wizard/source_list.h"

namespace vx {
namespace {

TEST(NewProject, ResultOfThreePictures) {
  TKelPigger result;
  result.LoadFromText("<OLD KEEP=\"x\"><FRAME/></OLD>");  // what an earlier run left
  NewProject project;
  project.kind = kEnvelopedKind;
  project.outputFile = "/home/u/output/Trip.zip";
  project.jpegQuality = 80;
  project.sources = {"/home/u/pictures/b.jpg", "/home/u/pictures/A beach.PNG", "/c.tif"};
  FillWizardResult(result, project);
  const std::string text = std::regex_replace(
      result.SaveToText(), std::regex("FRAME_ID=\"[0-9A-F]{32}\""), "FRAME_ID=ID");
  EXPECT_EQ(text,
            "\r\n<WZ OFT=\"1\" OUTPUT_FILE=\"/home/u/output/Trip.zip\" JPQ=\"80\">\r\n"
            "\t<FRAME FRAME_ID=ID SRC_FILE=\"/home/u/pictures/b.jpg\" FOOTER=\"b.jpg\"/>\r\n"
            "\t<FRAME FRAME_ID=ID SRC_FILE=\"/home/u/pictures/A beach.PNG\" FOOTER=\"A "
            "beach.PNG\"/>\r\n"
            "\t<FRAME FRAME_ID=ID SRC_FILE=\"/c.tif\" FOOTER=\"c.tif\"/>\r\n"
            "</WZ>");
  EXPECT_NE(result.Child(0)->GetAttr("FRAME_ID"), result.Child(1)->GetAttr("FRAME_ID"));
}

TEST(SourceList, KeepsEachPathOnceWhateverItsCase) {
  SourceList list;
  EXPECT_EQ(list.Add({"/p/a.jpg", "/p/b.jpg", "/p/a.jpg"}), 2);
  EXPECT_EQ(list.Add({"/P/A.JPG", "/p/c.jpg", "", "/p/B.jpg"}), 1);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"}));
  EXPECT_EQ(list.Entry(2), "/p/c.jpg");
  EXPECT_EQ(list.Entry(3), "");
  EXPECT_EQ(list.Entry(-1), "");
}

TEST(SourceList, SelectionMovesAndDeletes) {
  SourceList list;
  list.Add({"a", "b", "c"});
  EXPECT_EQ(list.Selected(), -1);
  EXPECT_FALSE(list.CanDelete() || list.CanMoveUp() || list.CanMoveDown());
  list.MoveSelected(true);  // nothing selected: nothing moves
  list.DeleteSelected();
  EXPECT_EQ(list.Count(), 3);

  struct Case {
    int selected;
    bool del, up, down;
  } rules[] = {{0, true, false, true}, {1, true, true, true}, {2, true, true, false}};
  for (const Case& c : rules) {
    list.Select(c.selected);
    EXPECT_EQ(list.CanDelete(), c.del) << c.selected;
    EXPECT_EQ(list.CanMoveUp(), c.up) << c.selected;
    EXPECT_EQ(list.CanMoveDown(), c.down) << c.selected;
  }
  list.Select(3);
  EXPECT_EQ(list.Selected(), -1);

  list.Select(0);
  list.MoveSelected(true);  // at the top: nothing
  list.MoveSelected(false);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(list.Selected(), 1);
  list.Select(2);
  list.MoveSelected(false);  // at the bottom: nothing
  list.MoveSelected(true);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_EQ(list.Selected(), 1);

  list.DeleteSelected();  // the next one comes to its place
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(list.Selected(), 1);
  list.DeleteSelected();  // the last one: nothing comes to its place
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"b"}));
  EXPECT_EQ(list.Selected(), -1);
}

TEST(FitInsideRounded, KeepsProportionsRoundingHalvesToEven) {
  struct Case {
    const char* what;
    Size picture, box, expected;
  } cases[] = {
      {"wide box: height fills", {4, 3}, {100, 30}, {40, 30}},
      {"tall box: width fills", {3, 2}, {5, 10}, {5, 3}},
      {"a half rounds down to even", {4, 3}, {2, 100}, {2, 2}},
      {"a half rounds up to even", {4, 6}, {100, 3}, {2, 3}},
      {"other side rounded", {4, 3}, {100, 2}, {3, 2}},
      {"enlarged", {40, 20}, {100, 100}, {100, 50}},
      {"same proportions", {400, 300}, {200, 150}, {200, 150}},
      {"nothing left rounds to one", {1000, 1}, {10, 10}, {10, 1}},
      {"zero box", {400, 300}, {0, 0}, {1, 1}},
      {"zero width", {400, 300}, {0, 50}, {1, 1}},
      {"empty picture", {0, 0}, {50, 50}, {1, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitInsideRounded(c.picture, c.box), c.expected) << c.what;
}

}  // namespace
}  // namespace vx
