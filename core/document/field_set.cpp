#include "document/field_set.h"

#include "document/vocabulary.h"
#include "text/text_case.h"
#include "text/trim.h"

namespace vx {
namespace {

bool HasFieldNamed(const TKelPigger& fieldSet, std::string_view name) {
  for (int i = 0; i < fieldSet.ChildCount(); ++i) {
    const TKelPigger* child = fieldSet.Child(i);
    if (IsField(child) && SameTextIgnoringCase(child->GetAttr(names::kFieldName), name))
      return true;
  }
  return false;
}

}  // namespace

void LoadOrEmpty(TKelPigger& node, const std::string& text, const char* name) {
  if (!text.empty()) {
    try {
      node.LoadFromText(text);
      if (node.Name == name) return;
    } catch (const EKelPiggerError&) {
    }
  }
  node.Clear();
  node.SetName(name);
}

bool IsField(const TKelPigger* node) { return node && node->Name == names::kField; }

std::string FreeFieldName(const TKelPigger& fieldSet) {
  // A set of n fields leaves one of the first n + 1 names free.
  for (int n = 1;; ++n) {
    std::string name = "Field" + std::to_string(n);
    if (!HasFieldNamed(fieldSet, name)) return name;
  }
}

TKelPigger* FieldParentFor(TKelPigger* focused) {
  return IsField(focused) && focused->Parent ? focused->Parent : focused;
}

int FieldTypeIndex(std::string_view type) {
  for (size_t i = 0; i < kFieldTypes.size(); ++i) {
    if (AsciiUpper(type) == AsciiUpper(kFieldTypes[i])) return static_cast<int>(i);
  }
  return 0;
}

FieldRecord ReadField(const TKelPigger& field) {
  FieldRecord record;
  record.name = field.GetAttr(names::kFieldName);
  record.type = FieldTypeIndex(field.GetAttr(names::kFieldType));
  record.value = field.GetAttr(names::kValue);
  record.buyLink = record.type == kHttpType && field.GetAttr(names::kBuyLink) == names::kYes;
  return record;
}

void WriteField(TKelPigger& field, const FieldRecord& record) {
  field.SetAttr(names::kFieldName, record.name);
  field.SetAttr(names::kFieldType, kFieldTypes[static_cast<size_t>(record.type)]);
  field.SetAttr(names::kValue, record.value);
  const bool buyLink = record.buyLink && record.type == kHttpType;
  field.SetAttr(names::kBuyLink, buyLink ? names::kYes : "");
}

std::string DescriptionForEditing(std::string_view stored) {
  std::string edited;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] != '\r') {
      edited += stored[i];
    } else if (i + 1 == stored.size() || stored[i + 1] != '\n') {
      edited += '\n';  // a lone CR ends a line too
    }
  }
  return edited;
}

std::string DescriptionForStoring(std::string_view edited) {
  std::string stored;
  for (const char c : DescriptionForEditing(edited)) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  return stored;
}

void ImportValues(TKelPigger& fieldSet, const std::vector<NamedValue>& values) {
  for (const NamedValue& value : values) {
    if (Trim(value.value).empty()) continue;
    TKelPigger* field = nullptr;
    for (int i = 0; i < fieldSet.ChildCount() && !field; ++i) {
      TKelPigger* child = fieldSet.Child(i);
      if (IsField(child) && SameTextIgnoringCase(child->GetAttr(names::kFieldName), value.name))
        field = child;
    }
    if (!field) {
      field = new TKelPigger(&fieldSet);
      field->SetName(names::kField);
    }
    field->SetAttr(names::kFieldName, value.name);
    field->SetAttr(names::kFieldType, names::kTypeText);
    field->SetAttr(names::kValue, value.value);
    // A text field offers no link.
    field->DeleteAttr(names::kBuyLink);
  }
}

}  // namespace vx
