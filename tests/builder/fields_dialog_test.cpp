// The fields dialog and the field editor in real windows, driven as a person would: the table,
// its buttons, the editor, copying a field set, EXIF import from camera-like JPEGs; and the
// fields of a picture, made into an archive, in the viewer's description panel and filter.
#include "fields_dialog.h"

#include "archive_session.h"
#include "builder/builder_test.h"
#include "description_panel.h"
#include "document/vocabulary.h"
#include "exif_writer.h"
#include "filter_index.h"
#include "forms.h"
#include "main_window.h"
#include "support/png_output.h"
#include "support/test_archive.h"

// After gtest: they bring X11's macros.
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Editor.H>

namespace vx::builder {
namespace {

// A tree's text form as the dialogs write it.
std::string TextOf(const std::string& oneLine) {
  TKelPigger node;
  node.LoadFromText(oneLine);
  return node.SaveToText();
}

// A camera's JPEG: a field the user named "make" in small letters meets its EXIF "Make".
std::string CameraJpeg() {
  ExifWriter exif;
  exif.Ascii(EXIF_TAG_MAKE, "LUMETRIC")
      .Ascii(EXIF_TAG_MODEL, "LX-200")
      .Ascii(EXIF_TAG_ARTIST, "J\xFCrgen M\xFCller")  // Latin-1, as the camera wrote it
      .Ascii(EXIF_TAG_DATE_TIME_ORIGINAL, "2024:05:01 18:30:00")
      .Undefined(EXIF_TAG_USER_COMMENT, UserComment("UNICODE\0", Utf16(u"Caf\u00E9 \u2615", true)))
      .Rational(EXIF_TAG_EXPOSURE_TIME, 1, 125)
      .Short(EXIF_TAG_LIGHT_SOURCE, 2)
      .Short(EXIF_TAG_FLASH, 0x19);
  return exif.Jpeg(MakeSamplePicture(160, 120, 3));
}

class FieldsDialog : public test::BuilderTest {
 protected:
  FieldsDialog() {
    // One script for the three windows; each answers as the test says.
    dialogs_->onModal = [this](Fl_Window& window) {
      if (&window == &editor_) {
        ++editorRuns_;
        if (onEditor_) onEditor_();
        test::ClickOn(editorOk_ ? editor_.OkButton() : editor_.CancelButton());
      } else if (&window == &sure_) {
        asked_.push_back(sure_.Text());
        test::ClickOn(sureYes_ ? sure_.YesButton() : sure_.NoButton());
      } else if (&window == &dialog_) {
        if (act_) act_();
        test::ClickOn(ok_ ? dialog_.OkButton() : dialog_.CancelButton());
      }
    };
  }
  // EditText with the script acting on the shown dialog, then "Ok" or "Cancel" clicked.
  bool Edit(std::string& text, std::function<void()> act, bool ok = true) {
    act_ = std::move(act);
    ok_ = ok;
    return dialog_.EditText(text);
  }
  void ClickOn(Fl_Widget& widget) { test::ClickOn(widget); }
  // A click on a row of the table; a second click of a double click with twice.
  void ClickRow(int row, bool twice = false) {
    TO_pvt_fields& table = dialog_.O_pvt_fields1();
    const int x = table.x() + table.w() / 2;
    const int y = table.y() + Fl::box_dy(table.box()) + table.col_header_height() +
                  row * table.row_height(0) + table.row_height(0) / 2;
    test::Click(dialog_, x, y);
    if (!twice) return;
    test::MoveMouse(dialog_, x, y);
    Fl::e_clicks = 1;
    Fl::e_state = FL_BUTTON1;
    Fl::handle(FL_PUSH, &dialog_);
    test::Release(dialog_, x, y);
    test::Settle();
  }
  // The rows as the table shows them: the first two columns.
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    TO_pvt_fields& table = dialog_.O_pvt_fields1();
    for (int row = 0; row < table.RowCount(); ++row)
      rows.push_back(table.Cell(row, 0) + ":" + table.Cell(row, 1));
    return rows;
  }
  std::string FocusedName() {
    const TKelPigger* node = dialog_.O_pvt_fields1().FocusedNode();
    return node ? node->GetAttr(names::kFieldName) : "(none)";
  }
  bool CanEditAndDelete() {
    EXPECT_EQ(dialog_.EditButton().active(), dialog_.DeleteButton().active());
    return dialog_.EditButton().active();
  }

  TE_field editor_;
  TFsure sure_;
  TF_dsc_flds dialog_{editor_, sure_};
  std::function<void()> act_, onEditor_;
  bool ok_ = true, editorOk_ = true, sureYes_ = true;
  int editorRuns_ = 0;
  std::vector<std::string> asked_;
};

TEST_F(FieldsDialog, ANewPictureShowsItsFieldSetSelected) {
  std::string text;
  ASSERT_TRUE(Edit(text, [&] {
    TO_pvt_fields& table = dialog_.O_pvt_fields1();
    EXPECT_EQ(Rows(), std::vector<std::string>{"FRAME FIELD SET:"});
    EXPECT_EQ(table.FocusedRow(), 0);
    EXPECT_FALSE(CanEditAndDelete());
    EXPECT_FALSE(dialog_.PasteButton().active());
    ASSERT_EQ(table.cols(), 4);
    EXPECT_EQ(Fl::focus(), &table);
    test::SaveWindowPng(dialog_, "builder-fields-empty.png");
  }));
  EXPECT_EQ(text, TextOf("<FLDS/>"));
}

TEST_F(FieldsDialog, AddNamesFieldsAndDeleteSelectsTheRowBefore) {
  std::string text;
  ASSERT_TRUE(Edit(text, [&] {
    for (int i = 0; i < 3; ++i) ClickOn(dialog_.AddButton());
    EXPECT_EQ(editorRuns_, 3);  // each new field opens in the editor
    EXPECT_EQ(Rows(), (std::vector<std::string>{"FRAME FIELD SET:", "field:Field1", "field:Field2",
                                                "field:Field3"}));
    EXPECT_EQ(FocusedName(), "Field3");
    EXPECT_TRUE(CanEditAndDelete());

    // "No" keeps the field; "Yes" deletes it and selects the one before.
    ClickRow(2);
    EXPECT_EQ(FocusedName(), "Field2");
    sureYes_ = false;
    ClickOn(dialog_.DeleteButton());
    EXPECT_EQ(dialog_.O_pvt_fields1().RowCount(), 4);
    sureYes_ = true;
    ClickOn(dialog_.DeleteButton());
    EXPECT_EQ(asked_, (std::vector<std::string>{"Delete current line ?", "Delete current line ?"}));
    EXPECT_EQ(FocusedName(), "Field1");

    // Added beside the selected field, at the end of the set, with the freed name.
    ClickOn(dialog_.AddButton());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"FRAME FIELD SET:", "field:Field1", "field:Field3",
                                                "field:Field2"}));
    // An editor cancelled keeps the new field as it was named.
    editorOk_ = false;
    ClickOn(dialog_.AddButton());
    EXPECT_EQ(FocusedName(), "Field4");
  }));
  TKelPigger stored;
  stored.LoadFromText(text);
  EXPECT_EQ(stored.ChildCount(), 4);
  EXPECT_EQ(stored.Child(3)->GetAttr("FNAME"), "Field4");
}

TEST_F(FieldsDialog, DeletingTheOnlyFieldSelectsTheFieldSetAgain) {
  std::string text = "<FLDS><FLD FNAME=\"Only\" FTYPE=\"text\"/></FLDS>";
  ASSERT_TRUE(Edit(text, [&] {
    ClickRow(1);
    EXPECT_TRUE(CanEditAndDelete());
    ClickOn(dialog_.DeleteButton());
    EXPECT_EQ(Rows(), std::vector<std::string>{"FRAME FIELD SET:"});
    EXPECT_EQ(dialog_.O_pvt_fields1().FocusedRow(), 0);
    EXPECT_FALSE(CanEditAndDelete());
    // With the set selected, "Delete" does nothing, also when called.
    dialog_.SB_delClick();
    EXPECT_EQ(asked_.size(), 1u);
  }));
  EXPECT_EQ(text, TextOf("<FLDS/>"));
}

TEST_F(FieldsDialog, EditingAFieldInTheEditor) {
  std::string text =
      "<FLDS><FLD FNAME=\"Shop\" FTYPE=\"HTTP\" VAL=\"shop.example\" ISBN=\"Y\" NOTE=\"x\"/>"
      "<FLD FNAME=\"Odd\" FTYPE=\"gopher\" VAL=\"v\"/></FLDS>";
  ASSERT_TRUE(Edit(text, [&] {
    // http in capitals loads as http, with the box checked; the type changed to text
    // unchecks and disables it.
    ClickRow(1);
    onEditor_ = [&] {
      EXPECT_STREQ(editor_.NameEdit().value(), "Shop");
      EXPECT_EQ(editor_.CB_fieldtypes().value(), 2);
      EXPECT_TRUE(editor_.BuyLinkBox().value());
      EXPECT_TRUE(editor_.BuyLinkBox().active());
      editor_.CB_fieldtypes().value(0);
      editor_.CB_fieldtypes().do_callback();
      EXPECT_FALSE(editor_.BuyLinkBox().value());
      EXPECT_FALSE(editor_.BuyLinkBox().active());
      test::SaveWindowPng(editor_, "builder-field-editor-text.png");
    };
    ClickOn(dialog_.EditButton());
    // An unknown type loads as text; a double click opens the editor too.
    ClickRow(2);
    onEditor_ = [&] {
      EXPECT_EQ(editor_.CB_fieldtypes().value(), 0);
      EXPECT_FALSE(editor_.BuyLinkBox().active());
      editor_.ValueEdit().value("new value");
    };
    ClickRow(2, true);
    EXPECT_EQ(editorRuns_, 2);
    EXPECT_EQ(dialog_.O_pvt_fields1().Cell(2, 2), "new value");
    EXPECT_EQ(dialog_.O_pvt_fields1().Cell(2, 3), "text");
  }));
  TKelPigger stored;
  stored.LoadFromText(text);
  const TKelPigger& shop = *stored.Child(0);
  EXPECT_EQ(shop.GetAttr("FTYPE"), "text");
  EXPECT_EQ(shop.GetAttr("ISBN"), "");
  EXPECT_EQ(shop.GetAttr("NOTE"), "x");  // keys the editor does not show are kept
  EXPECT_EQ(stored.Child(1)->GetAttr("FTYPE"), "text");
}

TEST_F(FieldsDialog, TheFieldEditorOnItsOwn) {
  const struct {
    const char* what;
    std::string text;
    std::function<void()> act;
    std::string stored;
  } cases[] = {
      {"an http link ticked", R"(<FLD FNAME="Shop" FTYPE="text"/>)",
       [&] {
         editor_.CB_fieldtypes().value(2);
         editor_.CB_fieldtypes().do_callback();
         ASSERT_TRUE(editor_.BuyLinkBox().active());
         ClickOn(editor_.BuyLinkBox());
       },
       R"(<FLD FNAME="Shop" FTYPE="http" ISBN="Y"/>)"},
      {"an empty text is an empty field", "", [] {}, R"(<FLD FTYPE="text"/>)"},
      {"an unparsable text too", "<FLD FNAME=", [] {}, R"(<FLD FTYPE="text"/>)"},
      {"mailto", R"(<FLD FNAME="Mail" FTYPE="MAILTO" VAL="a@b.example"/>)", [] {},
       R"(<FLD FNAME="Mail" FTYPE="mailto" VAL="a@b.example"/>)"},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    dialogs_->onModal = [&](Fl_Window&) {
      c.act();
      ClickOn(editor_.OkButton());
    };
    ASSERT_TRUE(editor_.EditText(text)) << c.what;
    EXPECT_EQ(text, TextOf(c.stored)) << c.what;
  }
  // Cancel leaves the text.
  std::string text = R"(<FLD FNAME="Keep"/>)";
  dialogs_->onModal = [&](Fl_Window&) {
    editor_.NameEdit().value("Changed");
    ClickOn(editor_.CancelButton());
  };
  EXPECT_FALSE(editor_.EditText(text));
  EXPECT_EQ(text, R"(<FLD FNAME="Keep"/>)");
}

TEST_F(FieldsDialog, ImportingExifTwiceUpdatesFieldsByName) {
  dialog_.SourcePicture = dir_.Write("camera.jpg", CameraJpeg());
  std::string text = "<FLDS><FLD FNAME=\"make\" FTYPE=\"text\" VAL=\"old\"/></FLDS>";
  ASSERT_TRUE(Edit(text, [&] {
    ClickOn(dialog_.ExifButton());
    ClickOn(dialog_.ExifButton());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"FRAME FIELD SET:", "field:Make", "field:Model",
                                                "field:DateTimeOriginal", "field:UserComments",
                                                "field:Artist", "field:Exposure",
                                                "field:LightSourceDesc", "field:FlashDesc"}));
    test::SaveWindowPng(dialog_, "builder-fields-exif.png");
  }));
  TKelPigger stored;
  stored.LoadFromText(text);
  ASSERT_EQ(stored.ChildCount(), 8);
  EXPECT_EQ(stored.Child(0)->GetAttr("VAL"), "LUMETRIC");
  EXPECT_EQ(stored.Child(3)->GetAttr("VAL"), "Caf\xC3\xA9 \xE2\x98\x95");
  EXPECT_EQ(stored.Child(4)->GetAttr("VAL"), "J\xC3\xBCrgen M\xC3\xBCller");
  EXPECT_EQ(stored.Child(5)->GetAttr("VAL"), "1/125 seconds");
  EXPECT_EQ(stored.Child(6)->GetAttr("VAL"), "Flourescent");
  EXPECT_EQ(stored.Child(7)->GetAttr("VAL"), "Flash (Auto)");
}

TEST_F(FieldsDialog, PicturesWithoutExifLeaveTheImportWithoutEffect) {
  for (const std::string& source :
       {dir_.Write("plain.jpg", *EncodeJpeg(MakeSamplePicture(40, 30, 1), 80)),
        dir_.Write("broken.jpg", "not a picture"), dir_ / "missing.jpg", std::string()}) {
    dialog_.SourcePicture = source;
    std::string text = "<FLDS>Desc</FLDS>";
    ASSERT_TRUE(Edit(text, [&] { ClickOn(dialog_.ExifButton()); })) << source;
    EXPECT_EQ(text, TextOf("<FLDS>Desc</FLDS>")) << source;
  }
}

TEST_F(FieldsDialog, DescriptionOnTheTextPage) {
  std::string text = "<FLDS>First line\r\nSecond</FLDS>";
  ASSERT_TRUE(Edit(text, [&] {
    dialog_.Pages().value(&dialog_.TextPage());
    char* shown = dialog_.DescriptionEdit().buffer()->text();
    EXPECT_STREQ(shown, "First line\nSecond");
    free(shown);
    dialog_.DescriptionEdit().buffer()->append("\nThird, caf\xC3\xA9");
    test::SaveWindowPng(dialog_, "builder-fields-text.png");
  }));
  TKelPigger stored;
  stored.LoadFromText(text);
  EXPECT_EQ(stored.Text, "First line\r\nSecond\r\nThird, caf\xC3\xA9");
  // Cancelled, the text stays as it was.
  std::string kept = text;
  ASSERT_FALSE(Edit(
      kept, [&] { dialog_.DescriptionEdit().buffer()->text("gone"); }, false));
  EXPECT_EQ(kept, text);
}

TEST_F(FieldsDialog, CopiedFieldSetsPasteOnAnotherPicture) {
  std::string first = "<FLDS>Sea<FLD FNAME=\"Place\" VAL=\"Coast\"/></FLDS>";
  ASSERT_TRUE(Edit(first, [&] {
    dialog_.DescriptionEdit().buffer()->append(" at dawn");
    ClickOn(dialog_.CopyButton());
    EXPECT_TRUE(dialog_.PasteButton().active());
  }));
  // Cancel after Paste leaves the picture's own set.
  const std::string second = "<FLDS>Town<FLD FNAME=\"Place\" VAL=\"Square\"/></FLDS>";
  std::string text = second;
  ASSERT_FALSE(Edit(
      text,
      [&] {
        ClickOn(dialog_.PasteButton());
        EXPECT_EQ(dialog_.O_pvt_fields1().Cell(1, 2), "Coast");
      },
      false));
  EXPECT_EQ(text, second);
  // Confirmed, the copy with the description as it was shown replaces it.
  ASSERT_TRUE(Edit(text, [&] { ClickOn(dialog_.PasteButton()); }));
  TKelPigger stored;
  stored.LoadFromText(text);
  EXPECT_EQ(stored.Text, "Sea at dawn");
  ASSERT_EQ(stored.ChildCount(), 1);
  EXPECT_EQ(stored.Child(0)->GetAttr("VAL"), "Coast");
}

TEST_F(FieldsDialog, GrowingTheDialogGrowsTheTable) {
  std::string text = "<FLDS><FLD FNAME=\"A\" VAL=\"a long value\"/></FLDS>";
  ASSERT_TRUE(Edit(text, [&] {
    TO_pvt_fields& table = dialog_.O_pvt_fields1();
    const int tableWidth = table.w(), valueWidth = table.col_width(2);
    const int buttonRight = dialog_.w() - dialog_.AddButton().x();
    const int buttonTop = dialog_.AddButton().y(), okRight = dialog_.w() - dialog_.OkButton().x();
    dialog_.size(dialog_.w() + 200, dialog_.h() + 100);
    test::Settle();
    EXPECT_EQ(table.w(), tableWidth + 200);
    EXPECT_EQ(table.col_width(2), valueWidth + 200);
    EXPECT_EQ(dialog_.w() - dialog_.AddButton().x(), buttonRight);
    EXPECT_EQ(dialog_.AddButton().y(), buttonTop);
    EXPECT_EQ(dialog_.AddButton().h(), dialog_.ExifButton().h());
    EXPECT_EQ(dialog_.w() - dialog_.OkButton().x(), okRight);
    EXPECT_EQ(dialog_.OkButton().h(), dialog_.CancelButton().h());
    dialog_.size(dialog_.w() - 200, dialog_.h() - 100);
  }));
}

// The main window's command runs the dialog on the current picture; what is confirmed goes
// into the project, into an archive made from it and so to the viewer's description panel and
// filter.
TEST_F(FieldsDialog, FromTheMainWindowToTheViewer) {
  Forms forms(Layout());
  TFmain window(forms);
  window.show();
  test::Settle();
  window.FirstActivation();
  const std::string photo = dir_.Write("graphics/photo.jpg", CameraJpeg());
  EXPECT_FALSE(window.MenuItem("Edit/Fields and description")->active());
  EXPECT_FALSE(window.Tools().Find("Fields")->active());
  window.AddPictures({photo});
  ASSERT_TRUE(test::WaitFor([&] { return !window.Busy(); }));
  test::Settle();
  window.Strip().SelectTile(window.Strip().TileAt(0));
  window.UpdateCommands();
  EXPECT_TRUE(window.MenuItem("Edit/Fields and description")->active());
  ASSERT_TRUE(window.Tools().Find("Fields")->active());
  window.SetChanged(false);

  TF_dsc_flds& fields = forms.fields;
  dialogs_->onModal = [&](Fl_Window& shown) {
    if (&shown == &forms.fieldEditor) {
      forms.fieldEditor.NameEdit().value("Place");
      forms.fieldEditor.ValueEdit().value("Harbour");
      test::ClickOn(forms.fieldEditor.OkButton());
      return;
    }
    if (&shown != &fields) return;
    EXPECT_EQ(fields.SourcePicture, photo);
    test::ClickOn(fields.ExifButton());
    test::ClickOn(fields.AddButton());
    fields.DescriptionEdit().buffer()->text("Boats in the harbour");
    test::ClickOn(fields.OkButton());
  };
  ClickOn(*window.Tools().Find("Fields"));
  EXPECT_TRUE(window.Changed());
  const std::string fieldsText = window.Strip().TileAt(0)->FieldsText;
  ASSERT_NE(fieldsText.find("Harbour"), std::string::npos);

  // Saved, and made into an archive by the maker from the saved project.
  const std::string project = dir_ / "projects/Harbour.vxpr";
  ASSERT_TRUE(window.SaveProject(project));
  window.hide();
  TKelPigger saved;
  saved.LoadFromFile(project);
  TKelPigger* frame = saved.FindChild("FRAME");
  ASSERT_NE(frame, nullptr);
  frame->SetAttr("FRAME_ID", "F0");
  const std::string archive = test::MakeTestArchive(dir_, "", frame->SaveToText());
  ASSERT_FALSE(archive.empty());
  const ArchiveImage image(archive);
  viewer::ArchiveSession session([&](std::string_view name) { return image.ReadBlock(name); });
  ASSERT_TRUE(session.LoadDescription());

  Fl_Double_Window viewerWindow(700, 400, "description");
  auto* panel = new viewer::TO_framedsc(0, 0, 700, 400);
  viewerWindow.end();
  viewerWindow.show();
  panel->ShowFrame(session.FrameById("F0"), nullptr);
  test::Settle();
  EXPECT_EQ(panel->DescriptionText(), "Boats in the harbour");
  std::vector<std::string> shown;
  for (int row = 0; row < panel->FieldRowCount(); ++row)
    shown.push_back(std::string(panel->NameLabel(row).label()) + "=" +
                    panel->ValueLabel(row).label());
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "Make=LUMETRIC", "Model=LX-200", "DateTimeOriginal=2024:05:01 18:30:00",
                       "UserComments=Caf\xC3\xA9 \xE2\x98\x95",
                       "Artist=J\xC3\xBCrgen M\xC3\xBCller", "Exposure=1/125 seconds",
                       "LightSourceDesc=Flourescent", "FlashDesc=Flash (Auto)", "Place=Harbour"}));
  test::SaveWindowPng(viewerWindow, "viewer-description-of-builder-fields.png");

  viewer::FilterIndex filter;
  filter.ScanDocument(session.Document());
  const std::vector<std::string> criteria = filter.Criteria();
  for (const char* name : {"2:Artist", "2:Make", "2:Place"})
    EXPECT_NE(std::find(criteria.begin(), criteria.end(), name), criteria.end()) << name;
  EXPECT_EQ(filter.ValuesFor("2:Artist"), std::vector<std::string>{"J\xC3\xBCrgen M\xC3\xBCller"});
  EXPECT_TRUE(filter.Passes(*session.FrameById("F0"), {true, "2:Place", {"Harbour"}}));
  viewerWindow.hide();
}

}  // namespace
}  // namespace vx::builder
