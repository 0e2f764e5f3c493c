#include "filter_index.h"

#include <FL/fl_utf8.h>

#include <algorithm>

#include "document/vocabulary.h"
#include "text/text_case.h"

namespace vx::viewer {
namespace {

namespace n = names;

bool IsSeparator(char c) {
  switch (c) {
    case 8:
    case 10:
    case 13:
    case ' ':
    case '!':
    case ',':
    case '.':
    case ':':
    case ';':
    case '?':
      return true;
    default:
      return false;
  }
}

// Characters, not bytes: "é" is one.
size_t CharacterCount(const std::string& text) {
  return static_cast<size_t>(fl_utf_nb_char(reinterpret_cast<const unsigned char*>(text.data()),
                                            static_cast<int>(text.size())));
}

std::vector<std::string> Lines(const std::vector<std::string>& texts) {
  std::vector<std::string> lines;
  for (const std::string& text : texts) {
    size_t start = 0;
    for (;;) {
      const size_t end = text.find_first_of("\r\n", start);
      const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
      if (!line.empty()) lines.push_back(line);
      if (end == std::string::npos) break;
      start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
  }
  return lines;
}

}  // namespace

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const std::string ua = Utf8Upper(a), ub = Utf8Upper(b);
  return ua != ub ? ua < ub : a < b;
}

FilterIndex::FilterIndex() { tree_.SetName(n::kFilterRoot); }

void FilterIndex::AddText(std::vector<std::string>& list, const std::string& text) {
  const std::string upper = Utf8Upper(text);
  if (CharacterCount(upper) <= 2 || std::find(list.begin(), list.end(), upper) != list.end())
    return;
  list.push_back(upper);
  hasTexts_ = true;
}

void FilterIndex::SplitWords(const std::string& description) {
  std::string word;
  for (char c : description) {
    if (IsSeparator(c)) {
      AddText(words_, word);
      word.clear();
    } else {
      word += c;
    }
  }
  AddText(words_, word);
}

void FilterIndex::RegisterField(const TKelPigger& field) {
  const std::string name = field.GetAttr(n::kFieldName);
  if (name.empty()) return;
  TKelPigger* entry = tree_.FindChildByAttr(n::kFieldName, name);
  if (!entry) {
    entry = new TKelPigger(&tree_);
    entry->SetName(n::kField);
    entry->SetAttr(n::kFieldName, name);
    entry->SetAttr(n::kFieldType, field.GetAttr(n::kFieldType));
  }
  const std::string value = field.GetAttr(n::kValue);
  if (value.empty()) return;
  TKelPigger* known = entry->FindChildByAttr(n::kValue, value);
  if (!known) {
    known = new TKelPigger(entry);
    known->SetName(n::kFieldValue);
  }
  known->SetAttr(n::kValue, value);  // the spelling of the last frame met
}

void FilterIndex::ScanDocument(const TKelPigger& description) {
  tree_.Clear();
  tree_.SetName(n::kFilterRoot);
  words_.clear();
  pointerTexts_.clear();
  for (const TKelPigger* frame = description.FindChild(n::kFrame); frame;
       frame = description.FindNext(frame)) {
    if (const TKelPigger* fields = frame->FindChild(n::kFields)) {
      for (const TKelPigger* f = fields->FindChild(n::kField); f; f = fields->FindNext(f)) {
        RegisterField(*f);
        hasFields_ = true;
      }
      SplitWords(fields->Text);
    }
    if (const TKelPigger* pointers = frame->FindChild(n::kPointers)) {
      for (int i = 0; i < pointers->ChildCount(); ++i) {
        const TKelPigger& pointer = *pointers->Child(i);
        hasPointers_ = true;
        if (pointer.Name == n::kArrow || pointer.Name == n::kCloud)
          AddText(pointerTexts_, pointer.GetAttr(n::kLabel));
      }
    }
  }
  std::sort(words_.begin(), words_.end(), LessIgnoringCase);
  std::sort(pointerTexts_.begin(), pointerTexts_.end(), LessIgnoringCase);
}

std::vector<std::string> FilterIndex::Criteria() const {
  std::vector<std::string> items{kDescriptionCriterion, kPointersCriterion};
  for (int i = 0; i < tree_.ChildCount(); ++i) {
    items.push_back(kFieldCriterionPrefix + tree_.Child(i)->GetAttr(n::kFieldName));
  }
  std::stable_sort(items.begin() + 2, items.end(), LessIgnoringCase);
  return items;
}

std::vector<std::string> FilterIndex::ValuesFor(const std::string& criterion) const {
  if (criterion == kDescriptionCriterion) return words_;
  if (criterion == kPointersCriterion) return Lines(pointerTexts_);
  std::vector<std::string> values;
  if (!criterion.starts_with(kFieldCriterionPrefix)) return values;
  if (const TKelPigger* entry = tree_.FindChildByAttr(n::kFieldName, criterion.substr(2))) {
    for (const TKelPigger* v = entry->FindChild(n::kFieldValue); v; v = entry->FindNext(v)) {
      if (!v->GetAttr(n::kValue).empty()) values.push_back(v->GetAttr(n::kValue));
    }
  }
  std::sort(values.begin(), values.end(), LessIgnoringCase);
  return values;
}

bool FilterIndex::Passes(const TKelPigger& frame, const FilterChoice& choice) const {
  if (!choice.active) return true;
  const auto& checked = choice.checked;
  if (choice.criterion == kDescriptionCriterion) {
    const TKelPigger* fields = frame.FindChild(n::kFields);
    if (!fields) return false;
    const std::string text = Utf8Upper(fields->Text);
    return std::any_of(checked.begin(), checked.end(), [&](const std::string& word) {
      return text.find(word) != std::string::npos;
    });
  }
  if (choice.criterion == kPointersCriterion) {
    const TKelPigger* pointers = frame.FindChild(n::kPointers);
    if (!pointers) return false;
    for (int i = 0; i < pointers->ChildCount(); ++i) {
      const TKelPigger& pointer = *pointers->Child(i);
      if (pointer.Name != n::kArrow && pointer.Name != n::kCloud) continue;
      const std::string label = Utf8Upper(pointer.GetAttr(n::kLabel));
      if (std::find(checked.begin(), checked.end(), label) != checked.end()) return true;
    }
    return false;
  }
  const TKelPigger* fields = frame.FindChild(n::kFields);
  if (!fields || !choice.criterion.starts_with(kFieldCriterionPrefix)) return false;
  const TKelPigger* field = fields->FindChildByAttr(n::kFieldName, choice.criterion.substr(2));
  if (!field) return false;
  const std::string value = field->GetAttr(n::kValue);
  return std::any_of(checked.begin(), checked.end(),
                     [&](const std::string& v) { return SameTextIgnoringCase(v, value); });
}

}  // namespace vx::viewer
