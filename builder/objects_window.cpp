#include "objects_window.h"

#include <FL/Fl_Box.H>

#include "ui/scaled_layout.h"

namespace vx::builder {
namespace {

constexpr int kTextSize = 12;

Fl_Box* Hint(int x, int y, int w, int h, const char* text) {
  auto* box = new Fl_Box(x, y, w, h, text);
  box->align(FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_TOP_LEFT);
  box->labelsize(kTextSize);
  return box;
}

}  // namespace

TF_objects_ff::TF_objects_ff() : Fl_Double_Window(207, 262, "Objects") {
  auto* radioGroup1 = new Fl_Group(8, 24, 191, 88, "Actions:");
  radioGroup1->box(FL_ENGRAVED_FRAME);
  radioGroup1->align(FL_ALIGN_TOP_LEFT);
  radioGroup1->labelsize(kTextSize);
  constexpr const char* kActions[] = {"Add new object", "Edit existing object",
                                      "Delete existing object"};
  for (int index = 0; index < 3; ++index) {
    auto* action = new Fl_Round_Button(16, 30 + index * 26, 176, 24, kActions[index]);
    action->type(FL_RADIO_BUTTON);
    action->labelsize(kTextSize);
    action->callback([](Fl_Widget* widget, void*) {
      static_cast<TF_objects_ff*>(widget->window())->ShowPage();
    });
    actions_[static_cast<size_t>(index)] = action;
  }
  radioGroup1->end();

  // The pages lie on top of each other and show no tabs: the action chooses the page.
  auto* pageControl1 = new Fl_Group(8, 120, 191, 96);
  pageControl1->box(FL_ENGRAVED_FRAME);
  pages_[0] = new Fl_Group(10, 122, 187, 92);
  auto* typeLabel = new Fl_Box(16, 126, 176, 20, "Object type:");
  typeLabel->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
  typeLabel->labelsize(kTextSize);
  kinds_ = new Fl_Choice(16, 148, 176, 24);
  kinds_->textsize(kTextSize);
  kinds_->add("cloud");
  kinds_->add("arrow");
  kinds_->add("password protected area");
  kinds_->value(0);
  Hint(16, 176, 176, 36, "Click picture to add new object there");
  pages_[0]->end();
  pages_[1] = new Fl_Group(10, 122, 187, 92);
  Hint(16, 130, 176, 40, "Click object to edit it");
  pages_[1]->end();
  pages_[2] = new Fl_Group(10, 122, 187, 92);
  Hint(16, 130, 176, 40, "Click object to delete it");
  pages_[2]->end();
  pageControl1->end();

  close_ = new Fl_Button(62, 226, 83, 26, "Close");
  close_->labelsize(kTextSize);
  close_->callback([](Fl_Widget* widget, void*) { widget->window()->hide(); });
  end();
  set_non_modal();  // on top of the main window, which stays usable
  actions_[0]->setonly();
  ShowPage();
  ui::ScaleWidgetTree(*this);
}

int TF_objects_ff::ActionMode() const {
  if (actions_[0]->value()) return 0;
  if (actions_[1]->value()) return 1;
  return 2;
}

void TF_objects_ff::SetActionMode(int mode) {
  if (mode >= 0 && mode <= 2) actions_[static_cast<size_t>(mode)]->setonly();
  ShowPage();
}

int TF_objects_ff::KindToAdd() const { return kinds_->value() < 0 ? 1 : kinds_->value() + 1; }

void TF_objects_ff::ShowPage() {
  const int shown = ActionMode();
  for (int index = 0; index < 3; ++index) {
    if (index == shown)
      pages_[static_cast<size_t>(index)]->show();
    else
      pages_[static_cast<size_t>(index)]->hide();
  }
}

}  // namespace vx::builder
