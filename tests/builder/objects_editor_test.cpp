// The objects window and the object editor, in real windows with scripted answers.
#include <FL/Fl_Double_Window.H>

#include "builder/builder_test.h"
#include "document/kel_pigger.h"
#include "edit_object.h"
#include "img_frame.h"
#include "objects_window.h"
#include "sample_pictures.h"

namespace vx::builder {
namespace {

using ObjectsWindow = test::BuilderTest;

TEST_F(ObjectsWindow, ActionChoosesThePageAndKindIsRead) {
  TF_objects_ff objects;
  objects.show();
  test::Settle();
  EXPECT_STREQ(objects.label(), "Objects");
  EXPECT_EQ(objects.ActionMode(), 0);
  EXPECT_EQ(objects.KindToAdd(), 1);
  EXPECT_TRUE(objects.Page(0).visible());
  test::ClickOn(objects.Action(2));
  EXPECT_EQ(objects.ActionMode(), 2);
  EXPECT_TRUE(objects.Page(2).visible());
  EXPECT_FALSE(objects.Page(0).visible());
  test::SaveWindowPng(objects, "builder-objects-delete.png");
  struct Case {
    int set, expected;
  } cases[] = {{1, 1}, {7, 1}, {-1, 1}, {0, 0}, {2, 2}};
  for (const Case& c : cases) {
    objects.SetActionMode(c.set);
    EXPECT_EQ(objects.ActionMode(), c.expected) << c.set;
    for (int page = 0; page < 3; ++page)
      EXPECT_EQ(objects.Page(page).visible() != 0, page == c.expected) << c.set << " " << page;
  }
  objects.SetActionMode(0);
  objects.ComboBox1().value(2);
  EXPECT_EQ(objects.KindToAdd(), 3);
  test::Settle();
  test::SaveWindowPng(objects, "builder-objects-add.png");
  test::ClickOn(objects.SB_close());
  EXPECT_FALSE(objects.shown());
  EXPECT_EQ(objects.ActionMode(), 0) << "kept while hidden";
}

class ObjectEditor : public test::BuilderTest {
 protected:
  ObjectEditor() : window_(500, 400, "frame") {
    frame_ = new TO_img_frame(0, 0, 500, 400);
    window_.end();
    window_.show();
    frame_->ShowBitmap(MakeSamplePicture(400, 300, 9));
    frame_->OnPointerChange = [this](const PointerChange& change) { changes_.push_back(change); };
  }
  TMhint& Add(int kind) {
    return *frame_->AddPointer(
        {100, 150}, NewPointer(kind, "Some comment 10:20", 0x0000FF, 0x808080, 0x80FFFF), false);
  }
  // Runs the editor on the pointer with the script acting on it, then Ok or Cancel.
  bool Run(TMhint& pointer, const std::function<void()>& act, bool ok = true) {
    dialogs_->onModal = [&, ok](Fl_Window&) {
      editor_.show();
      test::Settle();
      act();
      test::ClickOn(ok ? editor_.btn_ok() : editor_.btn_cancel());
    };
    return editor_.EditPointer(*frame_, pointer);
  }
  void Choose(int kind) {
    editor_.CB_ptr_type().value(kind - 1);
    editor_.CB_ptr_type().do_callback();
  }

  // Made first: a window made while another is open would become its child.
  TF_edit_obj editor_;
  Fl_Double_Window window_;
  TO_img_frame* frame_;
  std::vector<PointerChange> changes_;
};

TEST_F(ObjectEditor, AreaSizeComesFromTheLastShown) {
  TMhint& first = Add(1);
  EXPECT_TRUE(Run(first, [&] { Choose(3); }));
  EXPECT_EQ(first.Kind(), 3);
  EXPECT_EQ(first.AreaWidth(), 200);
  EXPECT_EQ(first.AreaHeight(), 100);
  EXPECT_EQ(frame_->StateOf(first).anchor, (Point{100, 150})) << "the anchor stays";
  ASSERT_EQ(changes_.size(), 1u);
  EXPECT_EQ(changes_[0].type, PointerChange::Edited);
  EXPECT_EQ(changes_[0].before.properties.kind, 1);
  EXPECT_EQ(changes_[0].after.properties.kind, 3);

  // Typed sizes are corrected as the focus leaves them.
  struct Case {
    const char* typed;
    int corrected;
  } cases[] = {
      {"5", 20},   {"20000", 10000}, {"abc", 20}, {"", 20}, {"99999999999999999999", 10000},
      {"321", 321}};
  for (const Case& c : cases) {
    editor_.SpinEdit_width().Input().value(c.typed);
    EXPECT_EQ(editor_.SpinEdit_width().Value(), c.corrected) << c.typed;
    Fl::focus(&editor_.SpinEdit_width().Input());
    Fl::focus(&editor_.Edit_text());
    EXPECT_EQ(std::string(editor_.SpinEdit_width().Input().value()), std::to_string(c.corrected))
        << c.typed;
  }

  TMhint& second = Add(2);
  EXPECT_TRUE(Run(second, [&] {
    editor_.SpinEdit_height().SetValue(150);
    Choose(3);
  }));
  EXPECT_EQ(second.AreaWidth(), 321);
  EXPECT_EQ(second.AreaHeight(), 150);
  TMhint& third = Add(1);
  EXPECT_TRUE(Run(third, [&] { Choose(3); }));
  EXPECT_EQ(third.AreaHeight(), 150);
  EXPECT_TRUE(frame_->Changed());
}

TEST_F(ObjectEditor, CancelChangesNothing) {
  TMhint& pointer = Add(1);
  const PlacedPointer before = frame_->StateOf(pointer);
  dialogs_->color = 0x123456;
  EXPECT_FALSE(Run(
      pointer,
      [&] {
        Choose(3);
        editor_.Edit_text().value("changed");
        editor_.RB_L2R().setonly();
        editor_.RB_B2T().setonly();
        editor_.SpinEdit_width().SetValue(999);
        for (int i = 0; i < 3; ++i) test::ClickOn(editor_.SwatchButton(i));
      },
      false));
  EXPECT_EQ(frame_->StateOf(pointer), before);
  EXPECT_TRUE(changes_.empty());
  EXPECT_FALSE(frame_->Changed());
}

TEST_F(ObjectEditor, WritesEveryFieldBack) {
  TMhint& arrow = Add(2);
  const std::string label = "Озеро Байкал — café ñ";
  dialogs_->color = 0x00AA00;
  EXPECT_TRUE(Run(arrow, [&] {
    // An arrow shows its direction but not up and down.
    EXPECT_TRUE(editor_.GB_direction().visible());
    EXPECT_FALSE(editor_.RB_B2T().visible());
    EXPECT_FALSE(editor_.GB_fsize().visible());
    EXPECT_TRUE(editor_.RB_R2L().value());
    EXPECT_EQ(editor_.SwatchColor(0), 0x0000FFu);
    EXPECT_EQ(editor_.SwatchColor(1), 0x808080u);
    EXPECT_EQ(editor_.SwatchColor(2), 0x80FFFFu);
    editor_.RB_L2R().setonly();
    editor_.Edit_text().value(label.c_str());
    test::ClickOn(editor_.Swatch(1));  // the swatch itself opens the chooser too
    test::SaveWindowPng(editor_, "builder-edit-arrow.png");
  }));
  EXPECT_EQ(dialogs_->colorStarts, (std::vector<Color>{0x808080}));
  EXPECT_EQ(arrow.Kind(), 2);
  EXPECT_TRUE(arrow.LeftToRight());
  EXPECT_FALSE(arrow.BottomToTop());
  EXPECT_EQ(arrow.LabelText(), label);
  EXPECT_EQ(arrow.PenColor(), 0x00AA00u);
  EXPECT_EQ(arrow.TextColor(), 0x0000FFu);

  // The label goes into the record as it is.
  TKelPigger written;
  written.LoadFromText(frame_->PointersText());
  EXPECT_EQ(written.Child(0)->GetAttr("ARRTXT"), label);

  TMhint& cloud = Add(1);
  EXPECT_TRUE(Run(cloud, [&] {
    EXPECT_TRUE(editor_.RB_B2T().visible());
    EXPECT_FALSE(editor_.GB_fsize().visible());
    editor_.RB_B2T().setonly();
    editor_.Edit_text().value("");
    test::SaveWindowPng(editor_, "builder-edit-cloud.png");
  }));
  EXPECT_TRUE(cloud.BottomToTop());
  EXPECT_EQ(cloud.LabelText(), "") << "an empty label is accepted";

  TMhint& area = Add(3);
  EXPECT_TRUE(Run(area, [&] {
    EXPECT_FALSE(editor_.GB_direction().visible());
    EXPECT_TRUE(editor_.GB_fsize().visible());
    EXPECT_EQ(editor_.SpinEdit_width().Value(), 298);
    EXPECT_EQ(editor_.SpinEdit_height().Value(), 55);
    test::SaveWindowPng(editor_, "builder-edit-area.png");
  }));
  EXPECT_EQ(area.AreaWidth(), 298);
  test::Settle();
  test::SaveWindowPng(window_, "builder-frame-edited.png");
}

}  // namespace
}  // namespace vx::builder
