#include "document/tree_rows.h"

namespace vx {

TKelPigger* TreeRows::NodeOf(int row) const {
  return row >= 0 && row < Count() ? At(row).node : nullptr;
}

int TreeRows::RowOf(const TKelPigger* node) const {
  for (int row = 0; row < Count(); ++row) {
    if (At(row).node == node) return row;
  }
  return -1;
}

int TreeRows::EndOfBranch(int row) const {
  int end = row + 1;
  while (end < Count() && At(end).depth > At(row).depth) ++end;
  return end;
}

int TreeRows::Append(int parent, TKelPigger* node) {
  const bool top = parent < 0 || parent >= Count();
  const int at = top ? Count() : EndOfBranch(parent);
  const int depth = top ? 0 : At(parent).depth + 1;
  rows_.insert(rows_.begin() + at, Row{node, top ? -1 : parent, depth});
  // Rows after the new one moved down by one, and so did their parents.
  for (int row = at + 1; row < Count(); ++row) {
    if (rows_[static_cast<size_t>(row)].parent >= at) ++rows_[static_cast<size_t>(row)].parent;
  }
  if (focused_ >= at) ++focused_;
  return at;
}

void TreeRows::Remove(int row) {
  if (row < 0 || row >= Count()) return;
  const int end = EndOfBranch(row), removed = end - row;
  rows_.erase(rows_.begin() + row, rows_.begin() + end);
  for (int r = row; r < Count(); ++r) {
    if (rows_[static_cast<size_t>(r)].parent >= end)
      rows_[static_cast<size_t>(r)].parent -= removed;
  }
  if (focused_ >= end) {
    focused_ -= removed;
  } else if (focused_ >= row) {
    focused_ = row - 1;
  }
}

void TreeRows::Clear() {
  rows_.clear();
  focused_ = -1;
}

void TreeRows::Focus(int row) { focused_ = row >= 0 && row < Count() ? row : -1; }

}  // namespace vx
