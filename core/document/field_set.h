// A picture's field set (FLDS: its fields and, as free text, its description) and a single
// field (FLD), as the builder's field dialogs edit them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "document/kel_pigger.h"

namespace vx {

// The field types in the order the field editor lists them.
inline constexpr std::array<const char*, 3> kFieldTypes = {"text", "mailto", "http"};
inline constexpr int kHttpType = 2;

// The node parsed from text; an empty text, one that is no tree or a tree of another name gives
// an empty node of that name instead.
void LoadOrEmpty(TKelPigger& node, const std::string& text, const char* name);

bool IsField(const TKelPigger* node);

// "Field" followed by the smallest number from 1 that no field of the set is named, letter case
// ignored.
std::string FreeFieldName(const TKelPigger& fieldSet);

// Where a field added while node has the focus goes: beside a field, otherwise under the node.
TKelPigger* FieldParentFor(TKelPigger* focused);

// The field's type in the list, letter case ignored; an unknown type is text.
int FieldTypeIndex(std::string_view type);

// What the field editor shows of a field. The "Buy/Order Online" flag counts only on an http
// field.
struct FieldRecord {
  std::string name;
  int type = 0;
  std::string value;
  bool buyLink = false;
};
FieldRecord ReadField(const TKelPigger& field);
// Writes the shown keys back; an empty text removes its key, and keys not shown stay.
void WriteField(TKelPigger& field, const FieldRecord& record);

// A description is stored with CR LF after lines and edited with line feeds alone.
std::string DescriptionForEditing(std::string_view stored);
std::string DescriptionForStoring(std::string_view edited);

struct NamedValue {
  std::string name, value;
};
// Each value that is not blank becomes a text field of that name: the field of the set with
// that name (letter case ignored) takes it and the name's spelling, or a new one is appended.
// A field that was an http link becomes text and loses the link flag.
void ImportValues(TKelPigger& fieldSet, const std::vector<NamedValue>& values);

}  // namespace vx
