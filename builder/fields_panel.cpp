#include "fields_panel.h"

#include "document/field_set.h"
#include "document/vocabulary.h"

namespace vx::builder {

TO_pvt_fields::TO_pvt_fields(int x, int y, int w, int h) : TO_pvt(x, y, w, h) {
  SetColumns(
      {{"Frame / Field", 120}, {"Fielld name", 150}, {"Field value", 200}, {"Field type", 70}});
  StretchColumn(2);
}

bool TO_pvt_fields::AcceptNode(TKelPigger* node) {
  return node && (node->Name == names::kFields || node->Name == names::kField);
}

std::string TO_pvt_fields::CellText(int column, TKelPigger* node) {
  if (!node) return {};
  switch (column) {
    case 0:
      return node->Name == names::kFields ? "FRAME FIELD SET" : "field";
    case 1:
      return node->GetAttr(names::kFieldName);
    case 2:
      return node->GetAttr(names::kValue);
    case 3:
      return node->GetAttr(names::kFieldType);
  }
  return {};
}

void TO_pvt_fields::ShowTree(TKelPigger* root) {
  TO_pvt::ShowTree(root);
  FocusRow(RootRow());
}

TKelPigger* TO_pvt_fields::AddField() {
  TKelPigger* parent = FieldParentFor(FocusedNode());
  if (!parent) return nullptr;
  auto* field = new TKelPigger(parent);
  field->SetName(names::kField);
  FocusRow(AddRow(RowOfNode(parent), field));
  return field;
}

void TO_pvt_fields::DeleteSelectedField() {
  // The set itself belongs to the caller.
  if (IsField(FocusedNode())) DeleteRow(FocusedRow(), true);
}

}  // namespace vx::builder
