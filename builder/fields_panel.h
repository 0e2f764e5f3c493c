// TO_pvt_fields: a field set as a table, the set's own row first and a row per field below it.
#pragma once

#include "tree_panel.h"

namespace vx::builder {

class TO_pvt_fields : public TO_pvt {
 public:
  TO_pvt_fields(int x, int y, int w, int h);

  bool AcceptNode(TKelPigger* node) override;
  std::string CellText(int column, TKelPigger* node) override;
  // Also focuses the set's row.
  void ShowTree(TKelPigger* root) override;

  // A new field beside the focused field, or under the focused node, focused; null without a
  // focused row.
  TKelPigger* AddField();
  // The focused field's row and node go; the row before it takes the focus.
  void DeleteSelectedField();
};

}  // namespace vx::builder
