#include "fields_dialog.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Editor.H>

#include "document/vocabulary.h"
#include "formats/exif_fields.h"
#include "platform/ui_scale.h"

namespace vx::builder {
namespace {

constexpr int kWidth = 640, kHeight = 420, kTextSize = 12;
constexpr int kPageTop = 32, kPageHeight = kHeight - 41 - 8 - kPageTop;
constexpr int kButtonWidth = 120, kButtonHeight = 25;

template <void (TF_dsc_flds::*Method)()>
void Call(Fl_Widget* widget, void*) {
  (static_cast<TF_dsc_flds*>(widget->window())->*Method)();
}

template <void (TF_dsc_flds::*Method)()>
Fl_Button* Button(int x, int y, const char* caption) {
  auto* button = new Fl_Button(x, y, kButtonWidth, kButtonHeight, caption);
  button->labelsize(kTextSize);
  button->callback(Call<Method>);
  return button;
}

}  // namespace

TF_dsc_flds::TF_dsc_flds(TE_field& fieldEditor, TFsure& sure)
    : TP_dataform(kWidth, kHeight, "Frame description"), fieldEditor_(fieldEditor), sure_(sure) {
  // FormCreate.
  fieldSet_.SetName(names::kFields);
  pages_ = new Fl_Tabs(8, 8, kWidth - 16, kPageTop - 8 + kPageHeight);
  pages_->labelsize(kTextSize);
  const int pageRight = kWidth - 8;

  tablePage_ = new Fl_Group(8, kPageTop, kWidth - 16, kPageHeight, "Table");
  tablePage_->labelsize(kTextSize);
  const int buttonsLeft = pageRight - 8 - kButtonWidth;
  table_ = new TO_pvt_fields(16, kPageTop + 8, buttonsLeft - 8 - 16, kPageHeight - 16);
  table_->OnChange = [this] { O_pvt_fields1VSTChange(); };
  table_->OnOpen = [this] { SB_editClick(); };
  // The buttons keep their places at the top right when the dialog grows.
  auto* buttons = new Fl_Group(buttonsLeft, kPageTop + 8, kButtonWidth, kPageHeight - 16);
  int y = kPageTop + 8;
  const auto next = [&y](int gap = 4) { return (y += kButtonHeight + gap) - kButtonHeight - gap; };
  SB_add_ = Button<&TF_dsc_flds::SB_addClick>(buttonsLeft, next(), "Add");
  SB_del_ = Button<&TF_dsc_flds::SB_delClick>(buttonsLeft, next(), "Delete");
  SB_edit_ = Button<&TF_dsc_flds::SB_editClick>(buttonsLeft, next(16), "Edit");
  SB_copy_fs_ = Button<&TF_dsc_flds::SB_copy_fsClick>(buttonsLeft, next(), "Copy field set");
  SB_paste_fs_ = Button<&TF_dsc_flds::SB_paste_fsClick>(buttonsLeft, next(16), "Paste field set");
  SB_exif_ = Button<&TF_dsc_flds::SB_exifClick>(buttonsLeft, next(), "Import EXIF data");
  buttons->resizable(new Fl_Box(buttonsLeft, y, kButtonWidth, kPageTop + kPageHeight - 8 - y));
  buttons->end();
  tablePage_->resizable(table_);
  tablePage_->end();

  textPage_ = new Fl_Group(8, kPageTop, kWidth - 16, kPageHeight, "Text");
  textPage_->labelsize(kTextSize);
  text_ = new Fl_Text_Buffer();
  description_ = new Fl_Text_Editor(16, kPageTop + 8, kWidth - 32, kPageHeight - 16);
  description_->buffer(text_);
  description_->textsize(kTextSize);
  description_->wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
  textPage_->resizable(description_);
  textPage_->end();
  pages_->resizable(tablePage_);
  pages_->end();
  pages_->value(tablePage_);
  resizable(pages_);
  EndForm();
  size_range(Scaled(420), Scaled(260));
  SB_paste_fs_->deactivate();
  O_pvt_fields1VSTChange();
}

TF_dsc_flds::~TF_dsc_flds() {
  // FormDestroy: the editor lets go of the buffer before it goes.
  description_->buffer(nullptr);
  delete text_;
}

void TF_dsc_flds::LoadText(const std::string& text) {
  TP_dataform::LoadText(text);
  LoadOrEmpty(fieldSet_, text, names::kFields);
  table_->ShowTree(&fieldSet_);
  text_->text(DescriptionForEditing(fieldSet_.Text).c_str());
  exif_ = ExifFieldsOfFile(SourcePicture);
  O_pvt_fields1VSTChange();
  // FormActivate.
  table_->take_focus();
}

void TF_dsc_flds::StoreText() {
  TakeDescription();
  resultText_ = fieldSet_.SaveToText();
}

void TF_dsc_flds::TakeDescription() {
  char* description = text_->text();
  fieldSet_.Text = DescriptionForStoring(description);
  free(description);
}

void TF_dsc_flds::ResetText() {
  TP_dataform::ResetText();
  table_->Clear();
  text_->text("");
  fieldSet_.Clear();
  fieldSet_.SetName(names::kFields);
  exif_.reset();
}

void TF_dsc_flds::O_pvt_fields1VSTChange() {
  const bool field = IsField(table_->FocusedNode());
  for (Fl_Button* button : {SB_edit_, SB_del_}) {
    if (field) {
      button->activate();
    } else {
      button->deactivate();
    }
  }
}

void TF_dsc_flds::SB_addClick() {
  TKelPigger* field = table_->AddField();
  if (!field) return;
  field->SetAttr(names::kFieldName, FreeFieldName(*field->Parent));
  table_->redraw();
  SB_editClick();
}

void TF_dsc_flds::SB_editClick() {
  TKelPigger* field = table_->FocusedNode();
  if (!IsField(field)) return;
  std::string text = field->SaveToText();
  if (fieldEditor_.EditText(text)) LoadOrEmpty(*field, text, names::kField);
  table_->redraw();
}

void TF_dsc_flds::SB_delClick() {
  if (!IsField(table_->FocusedNode())) return;
  if (sure_.Ask("Delete current line ?")) table_->DeleteSelectedField();
}

void TF_dsc_flds::SB_copy_fsClick() {
  // The description as the "Text" page shows it, edits included.
  TakeDescription();
  copied_ = fieldSet_.SaveToText();
  SB_paste_fs_->activate();
}

void TF_dsc_flds::SB_paste_fsClick() {
  if (copied_.empty()) return;
  // The picture's source and EXIF data stay; fields and description are the copy's.
  LoadOrEmpty(fieldSet_, copied_, names::kFields);
  table_->ShowTree(&fieldSet_);
  text_->text(DescriptionForEditing(fieldSet_.Text).c_str());
  O_pvt_fields1VSTChange();
}

void TF_dsc_flds::SB_exifClick() {
  if (!exif_) return;
  ImportValues(fieldSet_, *exif_);
  table_->ShowTree(&fieldSet_);
}

}  // namespace vx::builder
