// The rows of a tree panel: nodes of a tree (owned by the caller) in tree order, each below its
// parent's row, with one focused row. A widget draws them; the rules live here.
#pragma once

#include <vector>

#include "document/kel_pigger.h"

namespace vx {

class TreeRows {
 public:
  struct Row {
    TKelPigger* node;
    int parent;  // -1 at the top level
    int depth;
  };

  int Count() const { return static_cast<int>(rows_.size()); }
  const Row& At(int row) const { return rows_[static_cast<size_t>(row)]; }
  // Null for a row that does not exist.
  TKelPigger* NodeOf(int row) const;
  int RowOf(const TKelPigger* node) const;

  // A row for node as the last row below parent (-1: at the top level); its index.
  int Append(int parent, TKelPigger* node);
  // Removes the row and every row below it; the focus moves to the row before it.
  void Remove(int row);
  void Clear();

  // -1 when no row has the focus.
  int Focused() const { return focused_; }
  void Focus(int row);
  TKelPigger* FocusedNode() const { return NodeOf(focused_); }

 private:
  // The index after the last row below row.
  int EndOfBranch(int row) const;

  std::vector<Row> rows_;
  int focused_ = -1;
};

}  // namespace vx
