// TE_field, "Field editor": one field's name, type and value, and whether an http field is the
// picture's "Buy/Order Online" link; edited as the text form of its FLD node.
#pragma once

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Input.H>

#include "dataform.h"
#include "document/kel_pigger.h"

namespace vx::builder {

class TE_field : public TP_dataform {
 public:
  TE_field();

  void LoadText(const std::string& text) override;
  void StoreText() override;
  void ResetText() override;

  // The type rule: only an http field may be the buy link.
  void CB_fieldtypesChange();

  Fl_Input& NameEdit() { return *name_; }
  Fl_Choice& CB_fieldtypes() { return *types_; }
  Fl_Input& ValueEdit() { return *value_; }
  Fl_Check_Button& BuyLinkBox() { return *buyLink_; }

 private:
  TKelPigger record_;
  Fl_Input* name_;
  Fl_Choice* types_;
  Fl_Input* value_;
  Fl_Check_Button* buyLink_;
};

}  // namespace vx::builder
