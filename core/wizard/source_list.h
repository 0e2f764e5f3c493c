// The new-project wizard's list of source pictures: full paths in order, each once, and the
// entry the user has selected.
#pragma once

#include <string>
#include <vector>

namespace vx {

class SourceList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  // Empty when the index is out of range.
  std::string Entry(int index) const;
  const std::vector<std::string>& Entries() const { return entries_; }

  // Appends each path, in order, unless the list holds it already; paths that differ only in
  // letter case count as the same. Returns how many were appended.
  int Add(const std::vector<std::string>& paths);

  // -1 when nothing is selected.
  int Selected() const { return selected_; }
  // An index out of range selects nothing.
  void Select(int index);

  // Removes the selected entry; the one that comes to its place, if any, is selected then.
  void DeleteSelected();
  // Swaps the selected entry with the one before (up) or after it and keeps it selected;
  // nothing happens at the ends.
  void MoveSelected(bool up);

  bool CanDelete() const { return selected_ >= 0; }
  bool CanMoveUp() const { return selected_ > 0; }
  bool CanMoveDown() const { return selected_ >= 0 && selected_ < Count() - 1; }

 private:
  std::vector<std::string> entries_;
  int selected_ = -1;
};

}  // namespace vx
