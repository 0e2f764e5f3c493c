#include "wizard/source_list.h"

#include <algorithm>
#include <utility>

#include "text/text_case.h"

namespace vx {

std::string SourceList::Entry(int index) const {
  return index >= 0 && index < Count() ? entries_[static_cast<size_t>(index)] : std::string();
}

int SourceList::Add(const std::vector<std::string>& paths) {
  int added = 0;
  for (const std::string& path : paths) {
    const bool known = std::any_of(entries_.begin(), entries_.end(), [&](const std::string& entry) {
      return SameTextIgnoringCase(entry, path);
    });
    if (known || path.empty()) continue;
    entries_.push_back(path);
    ++added;
  }
  return added;
}

void SourceList::Select(int index) { selected_ = index >= 0 && index < Count() ? index : -1; }

void SourceList::DeleteSelected() {
  if (!CanDelete()) return;
  const int at = selected_;
  entries_.erase(entries_.begin() + at);
  Select(at);
}

void SourceList::MoveSelected(bool up) {
  if (up ? !CanMoveUp() : !CanMoveDown()) return;
  const int other = up ? selected_ - 1 : selected_ + 1;
  std::swap(entries_[static_cast<size_t>(selected_)], entries_[static_cast<size_t>(other)]);
  selected_ = other;
}

}  // namespace vx
