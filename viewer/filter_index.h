// The values a recipient can filter frames by: the words of the descriptions, the texts of
// clouds and arrows, and the values of every named field, collected once from the whole
// archive; and the rule that decides whether a frame passes.
#pragma once

#include <string>
#include <vector>

#include "document/kel_pigger.h"

namespace vx::viewer {

inline constexpr const char* kDescriptionCriterion = "0:DESCRIPTION";
inline constexpr const char* kPointersCriterion = "1:POINTERS";
inline constexpr const char* kFieldCriterionPrefix = "2:";

// The chosen criterion and its ticked values.
struct FilterChoice {
  bool active = false;
  std::string criterion;
  std::vector<std::string> checked;
};

class FilterIndex {
 public:
  FilterIndex();

  void ScanDocument(const TKelPigger& description);
  bool HasTexts() const { return hasTexts_; }
  bool HasFields() const { return hasFields_; }
  bool HasPointers() const { return hasPointers_; }

  // "0:DESCRIPTION", "1:POINTERS", then "2:" and each field name, ignoring case in order.
  std::vector<std::string> Criteria() const;
  // The values offered for a criterion, in the order they are listed.
  std::vector<std::string> ValuesFor(const std::string& criterion) const;
  bool Passes(const TKelPigger& frame, const FilterChoice& choice) const;

  const std::vector<std::string>& DescriptionWords() const { return words_; }
  const std::vector<std::string>& PointerTexts() const { return pointerTexts_; }
  const TKelPigger& FilterTree() const { return tree_; }

 private:
  void AddText(std::vector<std::string>& list, const std::string& text);
  void SplitWords(const std::string& description);
  void RegisterField(const TKelPigger& field);

  TKelPigger tree_;
  std::vector<std::string> words_;
  std::vector<std::string> pointerTexts_;
  bool hasTexts_ = false, hasFields_ = false, hasPointers_ = false;
};

// Sorting that ignores case, also beyond ASCII.
bool LessIgnoringCase(const std::string& a, const std::string& b);

}  // namespace vx::viewer
