// The "Filter" dialog: a criterion, its values with check boxes, and Reset, Apply, Cancel.
#pragma once

#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>

#include <memory>
#include <vector>

#include "buttons.h"
#include "filter_index.h"

namespace vx::viewer {

class TD_filter : public Fl_Double_Window {
 public:
  TD_filter();

  // Collects the values of the whole archive, once.
  void ScanDocument(const TKelPigger& description);
  const FilterIndex& Index() const { return index_; }
  // Shows the dialog modally; true when Apply or Reset was pressed.
  bool Execute();
  bool Passes(const TKelPigger& frame) const;
  bool Active() const { return choice_.active; }
  // The criterion and ticks as the dialog holds them (read when it closes).
  const FilterChoice& Choice() const { return choice_; }

  void SelectCriterion(const std::string& criterion);
  void SetChecked(const std::string& value, bool checked);
  Fl_Check_Browser& Values() { return *values_; }
  Fl_Choice& Criterion() { return *criterion_; }
  void SB_filterClick();
  void SB_resetClick();
  void SB_cancelClick();

 private:
  void FillValues();
  void ReadChecks();

  FilterIndex index_;
  FilterChoice choice_;
  bool changed_ = false;
  std::vector<std::string> criteria_;
  std::vector<Fl_Menu_Item> items_;  // the criterion menu; texts point into criteria_
  Fl_Choice* criterion_;
  Fl_Check_Browser* values_;
};

}  // namespace vx::viewer
