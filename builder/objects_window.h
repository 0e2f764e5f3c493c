// TF_objects_ff: the small tool window beside the picture that holds what a click does to
// pointers (add, edit or delete) and which kind a new pointer is. It stays on top of the
// builder's windows and is not modal; the main window acts on the clicks.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Round_Button.H>

#include <array>

namespace vx::builder {

class TF_objects_ff : public Fl_Double_Window {
 public:
  TF_objects_ff();

  // 0 "Add new object", 1 "Edit existing object", 2 for anything else.
  int ActionMode() const;
  // 0, 1 or 2 choose that action, anything else keeps it; the page follows the choice.
  void SetActionMode(int mode);
  // 1 cloud, 2 arrow, 3 protected area; 1 when nothing is chosen.
  int KindToAdd() const;

  Fl_Round_Button& Action(int index) { return *actions_[static_cast<size_t>(index)]; }
  Fl_Choice& ComboBox1() { return *kinds_; }
  Fl_Group& Page(int index) { return *pages_[static_cast<size_t>(index)]; }
  Fl_Button& SB_close() { return *close_; }

 private:
  void ShowPage();
  std::array<Fl_Round_Button*, 3> actions_;
  std::array<Fl_Group*, 3> pages_;
  Fl_Choice* kinds_;
  Fl_Button* close_;
};

}  // namespace vx::builder
