#include "tree_panel.h"

#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/ui_scale.h"

namespace vx::builder {
namespace {

constexpr int kRowHeight = 20, kIndent = 16, kPadding = 4, kTextSize = 12;

}  // namespace

TO_pvt::TO_pvt(int x, int y, int w, int h) : Fl_Table(x, y, w, h) {
  box(FL_DOWN_FRAME);
  color(FL_WHITE);
  selection_color(FL_SELECTION_COLOR);
  row_height_all(Scaled(kRowHeight));
  col_header(1);
  col_header_height(Scaled(kRowHeight + 2));
  col_resize(1);
  end();
}

void TO_pvt::SetColumns(const std::vector<std::pair<const char*, int>>& headersAndWidths) {
  headers_.clear();
  cols(static_cast<int>(headersAndWidths.size()));
  for (size_t c = 0; c < headersAndWidths.size(); ++c) {
    headers_.push_back(headersAndWidths[c].first);
    col_width(static_cast<int>(c), Scaled(headersAndWidths[c].second));
  }
  Stretch();
}

void TO_pvt::resize(int x, int y, int w, int h) {
  Fl_Table::resize(x, y, w, h);
  Stretch();
}

void TO_pvt::Stretch() {
  if (stretch_ < 0 || stretch_ >= cols()) return;
  int others = 0;
  for (int c = 0; c < cols(); ++c) {
    if (c != stretch_) others += col_width(c);
  }
  // The inner width leaves out a scroll bar that the rows need.
  col_width(stretch_, std::max(Scaled(60), tiw - others));
}

void TO_pvt::ShowTree(TKelPigger* root) {
  Clear();
  root_ = AcceptNode(root) ? root : nullptr;
  AddRow(-1, root);
}

int TO_pvt::AppendRows(int parent, TKelPigger* node) {
  if (!AcceptNode(node)) return -1;
  const int row = rows_.Append(parent, node);
  for (int i = 0; i < node->ChildCount(); ++i) AppendRows(row, node->Child(i));
  return row;
}

int TO_pvt::AddRow(int parent, TKelPigger* node) {
  const int row = AppendRows(parent, node);
  RowsChanged();
  return row;
}

void TO_pvt::DeleteRow(int row, bool freeNode) {
  TKelPigger* node = rows_.NodeOf(row);
  if (!node) return;
  const TKelPigger* focused = rows_.FocusedNode();
  rows_.Remove(row);
  if (node == root_) root_ = nullptr;
  if (freeNode) delete node;
  RowsChanged();
  if (rows_.FocusedNode() != focused && OnChange) OnChange();
}

void TO_pvt::Clear() {
  rows_.Clear();
  root_ = nullptr;
  RowsChanged();
}

void TO_pvt::RowsChanged() {
  rows(rows_.Count());
  Stretch();
  redraw();
}

void TO_pvt::FocusRow(int row) {
  const int before = rows_.Focused();
  rows_.Focus(row);
  if (rows_.Focused() >= 0) {
    int top = 0, bottom = 0, left = 0, right = 0;
    visible_cells(top, bottom, left, right);
    if (rows_.Focused() < top || rows_.Focused() >= bottom) row_position(rows_.Focused());
  }
  redraw();
  if (rows_.Focused() != before && OnChange) OnChange();
}

void TO_pvt::draw_cell(TableContext context, int row, int column, int x, int y, int w, int h) {
  if (context == CONTEXT_STARTPAGE) {
    fl_font(FL_HELVETICA, Scaled(kTextSize));
    return;
  }
  if (context == CONTEXT_COL_HEADER) {
    fl_push_clip(x, y, w, h);
    fl_draw_box(FL_THIN_UP_BOX, x, y, w, h, FL_BACKGROUND_COLOR);
    fl_color(FL_FOREGROUND_COLOR);
    if (column < static_cast<int>(headers_.size()))
      fl_draw(headers_[static_cast<size_t>(column)], x + Scaled(kPadding), y, w, h, FL_ALIGN_LEFT);
    fl_pop_clip();
    return;
  }
  if (context != CONTEXT_CELL || row >= rows_.Count()) return;
  const bool focused = row == rows_.Focused();
  fl_push_clip(x, y, w, h);
  fl_color(focused ? selection_color() : color());
  fl_rectf(x, y, w, h);
  fl_color(focused ? fl_contrast(FL_FOREGROUND_COLOR, selection_color()) : FL_FOREGROUND_COLOR);
  const int indent = column == 0 ? rows_.At(row).depth * Scaled(kIndent) : 0;
  const std::string text = CellText(column, rows_.NodeOf(row));
  fl_draw(text.c_str(), x + Scaled(kPadding) + indent, y, w - Scaled(kPadding) - indent, h,
          FL_ALIGN_LEFT, nullptr, 0);
  fl_color(FL_LIGHT2);
  fl_xyline(x, y + h - 1, x + w - 1);
  if (focused && Fl::focus() == this) {
    fl_color(FL_FOREGROUND_COLOR);
    fl_line_style(FL_DOT);
    fl_xyline(x, y, x + w - 1);
    fl_xyline(x, y + h - 1, x + w - 1);
    fl_line_style(0);
  }
  fl_pop_clip();
}

int TO_pvt::handle(int event) {
  switch (event) {
    case FL_PUSH: {
      int row = 0, column = 0;
      ResizeFlag resizing = RESIZE_NONE;
      if (cursor2rowcol(row, column, resizing) != CONTEXT_CELL) break;
      if (Fl::focus() != this) take_focus();
      FocusRow(row);
      if (Fl::event_clicks() && OnOpen) OnOpen();
      return 1;
    }
    case FL_FOCUS:
    case FL_UNFOCUS:
      redraw();
      return 1;
    case FL_KEYBOARD: {
      const int focused = rows_.Focused();
      switch (Fl::event_key()) {
        case FL_Up:
          FocusRow(std::max(0, focused - 1));
          return 1;
        case FL_Down:
          FocusRow(std::min(rows_.Count() - 1, focused + 1));
          return 1;
        case FL_Home:
          FocusRow(0);
          return 1;
        case FL_End:
          FocusRow(rows_.Count() - 1);
          return 1;
      }
      break;
    }
  }
  return Fl_Table::handle(event);
}

}  // namespace vx::builder
