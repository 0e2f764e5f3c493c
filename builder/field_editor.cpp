#include "field_editor.h"

#include <FL/Fl_Box.H>

#include "document/field_set.h"
#include "document/vocabulary.h"
#include "pictures.h"

namespace vx::builder {
namespace {

constexpr int kWidth = 420, kHeight = 230, kTextSize = 12;

Fl_Input* Edit(int y, const char* caption) {
  auto* edit = new Fl_Input(64, y, kWidth - 76, 24, caption);
  edit->labelsize(kTextSize);
  edit->textsize(kTextSize);
  edit->align(FL_ALIGN_TOP_LEFT);
  return edit;
}

}  // namespace

TE_field::TE_field() : TP_dataform(kWidth, kHeight, "Field editor") {
  // FormCreate.
  auto* picture = new Fl_Box(16, 16, 32, 32);
  picture->image(PictureOf(Picture::ToolFields));
  name_ = Edit(28, "Field name");
  types_ = new Fl_Choice(64, 76, 140, 24, "Field type");
  types_->labelsize(kTextSize);
  types_->textsize(kTextSize);
  types_->align(FL_ALIGN_TOP_LEFT);
  for (const char* type : kFieldTypes) types_->add(type);
  types_->value(0);
  types_->callback(
      [](Fl_Widget* w, void*) { static_cast<TE_field*>(w->window())->CB_fieldtypesChange(); });
  value_ = Edit(124, "Field value");
  value_->labelfont(FL_HELVETICA_BOLD);
  buyLink_ = new Fl_Check_Button(64, 154, kWidth - 76, 24, "Use weblink as \"Buy/Order Online\"");
  buyLink_->labelsize(kTextSize);
  EndForm();
}

void TE_field::LoadText(const std::string& text) {
  TP_dataform::LoadText(text);
  LoadOrEmpty(record_, text, names::kField);
  const FieldRecord field = ReadField(record_);
  name_->value(field.name.c_str());
  types_->value(field.type);
  value_->value(field.value.c_str());
  buyLink_->value(record_.GetAttr(names::kBuyLink) == names::kYes);
  CB_fieldtypesChange();
  name_->take_focus();
}

void TE_field::CB_fieldtypesChange() {
  if (types_->value() == kHttpType) {
    buyLink_->activate();
  } else {
    buyLink_->value(0);
    buyLink_->deactivate();
  }
}

void TE_field::StoreText() {
  WriteField(record_, {name_->value(), types_->value(), value_->value(), buyLink_->value() != 0});
  resultText_ = record_.SaveToText();
}

void TE_field::ResetText() {
  TP_dataform::ResetText();
  record_.Clear();
}

}  // namespace vx::builder
