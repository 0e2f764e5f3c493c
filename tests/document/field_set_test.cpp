#include "document/field_set.h"

#include <gtest/gtest.h>

#include <memory>

#include "document/tree_rows.h"

namespace vx {
namespace {

// The text form of a tree written on one line.
std::string TextOf(const std::string& oneLine) {
  TKelPigger node;
  node.LoadFromText(oneLine);
  return node.SaveToText();
}

// A field set with fields of these names.
std::unique_ptr<TKelPigger> FieldSet(std::initializer_list<const char*> fieldNames) {
  auto set = std::make_unique<TKelPigger>();
  set->SetName("FLDS");
  for (const char* fieldName : fieldNames) {
    auto* field = new TKelPigger(set.get());
    field->SetName("FLD");
    field->SetAttr("FNAME", fieldName);
  }
  return set;
}

TEST(FieldSet, FreeFieldNameIsTheSmallestUnusedIgnoringCase) {
  const struct {
    const char* what;
    std::initializer_list<const char*> names;
    const char* free;
  } cases[] = {
      {"an empty set", {}, "Field1"},
      {"after three adds", {"Field1", "Field2", "Field3"}, "Field4"},
      {"a gap left by a delete", {"Field1", "Field3"}, "Field2"},
      {"letter case does not count", {"FIELD1", "field2"}, "Field3"},
      {"other names do not count", {"Make", "Field 1", "Field01"}, "Field1"},
  };
  for (const auto& c : cases) EXPECT_EQ(FreeFieldName(*FieldSet(c.names)), c.free) << c.what;
  // Children that are not fields do not take names.
  auto set = FieldSet({});
  auto* other = new TKelPigger(set.get());
  other->SetName("NOTE");
  other->SetAttr("FNAME", "Field1");
  EXPECT_EQ(FreeFieldName(*set), "Field1");
}

TEST(FieldSet, NewFieldsGoBesideAFieldOrUnderTheNode) {
  auto set = FieldSet({"a"});
  TKelPigger* field = set->Child(0);
  EXPECT_EQ(FieldParentFor(field), set.get());
  EXPECT_EQ(FieldParentFor(set.get()), set.get());
  EXPECT_EQ(FieldParentFor(nullptr), nullptr);
}

TEST(FieldSet, LoadOrEmptyTreatsBadTextsAsEmpty) {
  const struct {
    const char* what;
    std::string text;
    int children;
  } cases[] = {
      {"a field set", "<FLDS>Desc<FLD FNAME=\"a\"/></FLDS>", 1},
      {"empty", "", 0},
      {"not a tree", "<FLDS", 0},
      {"a tree of another name", "<PNTRS><CLD/></PNTRS>", 0},
  };
  for (const auto& c : cases) {
    TKelPigger node;
    node.LoadFromText("<OLD><X/></OLD>");
    LoadOrEmpty(node, c.text, "FLDS");
    EXPECT_EQ(node.Name, "FLDS") << c.what;
    EXPECT_EQ(node.ChildCount(), c.children) << c.what;
  }
}

TEST(FieldSet, FieldTypesAndTheBuyLink) {
  const struct {
    const char* what;
    std::string text;
    FieldRecord read;
  } cases[] = {
      {"http in capitals",
       R"(<FLD FNAME="Shop" FTYPE="HTTP" VAL="a.example" ISBN="Y"/>)",
       {"Shop", kHttpType, "a.example", true}},
      {"mailto", R"(<FLD FNAME="Mail" FTYPE="Mailto" VAL="a@b"/>)", {"Mail", 1, "a@b", false}},
      {"an unknown type is text", R"(<FLD FTYPE="ftp" VAL="x"/>)", {"", 0, "x", false}},
      {"no type", R"(<FLD VAL="x"/>)", {"", 0, "x", false}},
      {"the link counts only on http", R"(<FLD FTYPE="text" ISBN="Y"/>)", {"", 0, "", false}},
      {"a link flag other than Y", R"(<FLD FTYPE="http" ISBN="y"/>)", {"", kHttpType, "", false}},
  };
  for (const auto& c : cases) {
    TKelPigger field;
    field.LoadFromText(c.text);
    const FieldRecord read = ReadField(field);
    EXPECT_EQ(read.name, c.read.name) << c.what;
    EXPECT_EQ(read.type, c.read.type) << c.what;
    EXPECT_EQ(read.value, c.read.value) << c.what;
    EXPECT_EQ(read.buyLink, c.read.buyLink) << c.what;
  }
}

TEST(FieldSet, WriteFieldKeepsKeysItDoesNotShow) {
  TKelPigger field;
  field.LoadFromText(R"(<FLD FNAME="Shop" FTYPE="Weird" VAL="v" ISBN="Y" NOTE="kept"/>)");
  // http to text drops the link; an unknown type is stored as text.
  WriteField(field, {"Shop", 0, "v", true});
  EXPECT_EQ(field.SaveToText(), TextOf(R"(<FLD FNAME="Shop" FTYPE="text" VAL="v" NOTE="kept"/>)"));
  WriteField(field, {"Shop", kHttpType, "", true});
  EXPECT_EQ(field.GetAttr("ISBN"), "Y");
  EXPECT_EQ(field.GetAttr("VAL"), "");  // an empty value removes its key
  EXPECT_EQ(field.AttrNames.size(), 4u);
}

TEST(FieldSet, ImportUpdatesByNameAndNeverDuplicates) {
  auto set = FieldSet({"make", "Own"});
  set->Child(0)->SetAttr("FTYPE", "http");
  set->Child(0)->SetAttr("ISBN", "Y");
  const std::vector<NamedValue> values = {
      {"ImageDesc", "   "}, {"Make", "Lumetric "}, {"Model", ""}, {"Artist", " Anna"}};
  ImportValues(*set, values);
  ImportValues(*set, values);
  EXPECT_EQ(set->SaveToText(), TextOf("<FLDS>"
                                      "<FLD FNAME=\"Make\" FTYPE=\"text\" VAL=\"Lumetric \"/>"
                                      "<FLD FNAME=\"Own\"/>"
                                      "<FLD FNAME=\"Artist\" FTYPE=\"text\" VAL=\" Anna\"/>"
                                      "</FLDS>"));
}

TEST(FieldSet, DescriptionsAreStoredWithCrLf) {
  const struct {
    std::string stored, edited, storedAgain;
  } cases[] = {
      {"one\r\ntwo\r\n", "one\ntwo\n", "one\r\ntwo\r\n"},
      {"lone\rcr\nlf", "lone\ncr\nlf", "lone\r\ncr\r\nlf"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DescriptionForEditing(c.stored), c.edited) << c.stored;
    EXPECT_EQ(DescriptionForStoring(c.edited), c.storedAgain) << c.stored;
  }
}

TEST(TreeRows, RowsFollowTheTreeAndTheFocusFollowsTheRows) {
  TKelPigger a, b, c, d, e;
  TreeRows rows;
  const int root = rows.Append(-1, &a);
  const int first = rows.Append(root, &b);
  rows.Append(first, &c);  // below the first child
  rows.Focus(first);
  // A second child of the root goes after the first child's branch.
  EXPECT_EQ(rows.Append(root, &d), 3);
  EXPECT_EQ(rows.At(3).parent, root);
  EXPECT_EQ(rows.At(3).depth, 1);
  EXPECT_EQ(rows.At(2).depth, 2);
  // A row put in before the focused one moves the focus with its row.
  rows.Focus(3);
  EXPECT_EQ(rows.Append(first, &e), 3);
  EXPECT_EQ(rows.FocusedNode(), &d);
  EXPECT_EQ(rows.At(4).parent, root);
  EXPECT_EQ(rows.RowOf(&e), 3);
  EXPECT_EQ(rows.NodeOf(9), nullptr);
  EXPECT_EQ(rows.RowOf(nullptr), -1);
}

TEST(TreeRows, RemovingTheFocusedRowFocusesTheOneBefore) {
  TKelPigger set, f1, f2, f3;
  const struct {
    const char* what;
    int fields, removed;
    TKelPigger* focused;
  } cases[] = {
      {"the only field: the field set", 1, 1, &set},
      {"the second of three: the first", 3, 2, &f1},
      {"the first of three: the field set", 3, 1, &set},
      {"the last of three: the second", 3, 3, &f2},
  };
  TKelPigger* fields[] = {&f1, &f2, &f3};
  for (const auto& c : cases) {
    TreeRows rows;
    const int root = rows.Append(-1, &set);
    for (int i = 0; i < c.fields; ++i) rows.Append(root, fields[i]);
    rows.Focus(c.removed);
    rows.Remove(c.removed);
    EXPECT_EQ(rows.Count(), c.fields) << c.what;
    EXPECT_EQ(rows.FocusedNode(), c.focused) << c.what;
  }
  // A branch goes with its row; a focus after it moves up; removing the root leaves no focus.
  TreeRows rows;
  rows.Append(-1, &set);
  rows.Append(0, &f1);
  rows.Append(1, &f2);
  rows.Append(0, &f3);
  rows.Focus(3);
  rows.Remove(1);
  EXPECT_EQ(rows.Count(), 2);
  EXPECT_EQ(rows.FocusedNode(), &f3);
  EXPECT_EQ(rows.At(1).parent, 0);
  rows.Remove(0);
  EXPECT_EQ(rows.Count(), 0);
  EXPECT_EQ(rows.Focused(), -1);
}

}  // namespace
}  // namespace vx
