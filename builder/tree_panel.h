// TO_pvt: a tree of TKelPigger nodes (owned by the caller) shown as rows of a table with
// column headers, one row per node; a derived panel chooses the nodes and the texts of cells.
#pragma once

#include <FL/Fl_Table.H>

#include <functional>
#include <string>
#include <vector>

#include "document/tree_rows.h"

namespace vx::builder {

class TO_pvt : public Fl_Table {
 public:
  TO_pvt(int x, int y, int w, int h);

  // Whether a node gets a row (its children are not looked at when it does not).
  virtual bool AcceptNode(TKelPigger* node) { return node != nullptr; }
  virtual std::string CellText(int column, TKelPigger* node) { return node->Name; }
  // Rows for the tree below root, root's own first.
  virtual void ShowTree(TKelPigger* root);
  // A row for node and its accepted children as the last row below parent (-1: at the top);
  // the new row, or -1 when the node is not accepted.
  virtual int AddRow(int parent, TKelPigger* node);
  // Removes the row and those below it; with freeNode, the node goes too. A focus inside
  // them moves to the row before.
  virtual void DeleteRow(int row, bool freeNode);
  // No rows; the panel forgets the tree.
  void Clear();

  TKelPigger* NodeOfRow(int row) const { return rows_.NodeOf(row); }
  int RowOfNode(const TKelPigger* node) const { return rows_.RowOf(node); }
  int RootRow() const { return rows_.RowOf(root_); }
  int RowCount() const { return rows_.Count(); }
  // The focused row is the selected one; -1 for none.
  int FocusedRow() const { return rows_.Focused(); }
  TKelPigger* FocusedNode() const { return rows_.FocusedNode(); }
  void FocusRow(int row);
  // The texts of a row as drawn.
  std::string Cell(int row, int column) { return CellText(column, NodeOfRow(row)); }

  // VSTChange: the focused row changed.
  std::function<void()> OnChange;
  // A double click on a row.
  std::function<void()> OnOpen;

  void SetColumns(const std::vector<std::pair<const char*, int>>& headersAndWidths);
  // The column that takes the width the others leave.
  void StretchColumn(int column) { stretch_ = column; }
  void resize(int x, int y, int w, int h) override;

 protected:
  void draw_cell(TableContext context, int row, int column, int x, int y, int w, int h) override;
  int handle(int event) override;
  void RowsChanged();

  TreeRows rows_;

 private:
  void Stretch();
  // Appends without redrawing; the public operations redraw once.
  int AppendRows(int parent, TKelPigger* node);

  std::vector<const char*> headers_;
  int stretch_ = -1;
  const TKelPigger* root_ = nullptr;
};

}  // namespace vx::builder
