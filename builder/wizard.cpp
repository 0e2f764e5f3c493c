#include "wizard.h"

#include <FL/Fl_Box.H>

#include <exception>

#include "document/vocabulary.h"
#include "ui/dialogs.h"
#include "ui/window_placement.h"

namespace vx::builder {
namespace {

constexpr int kBarHeight = 44;
constexpr int kTextSize = 12;

template <void (TP_wizard::*handler)()>
void Forward(Fl_Widget* widget, void*) {
  (static_cast<TP_wizard*>(widget->window())->*handler)();
}

}  // namespace

TP_wizard::TP_wizard(int w, int h, const char* caption) : Fl_Double_Window(w, h, caption) {
  result_.SetName(names::kWizardRoot);
  pages_ = new Fl_Wizard(0, 0, w, h - kBarHeight);
  pages_->box(FL_NO_BOX);
  pages_->end();
  auto* bar = new Fl_Group(0, h - kBarHeight, w, kBarHeight);
  bar->box(FL_THIN_UP_BOX);
  auto button = [&](int x, const char* text, auto handler) {
    auto* made = new Fl_Button(x, h - kBarHeight + 10, 76, 25, text);
    made->labelsize(kTextSize);
    made->callback(handler);
    return made;
  };
  prior_ = button(w - 340, "<<", Forward<&TP_wizard::SB_priorClick>);
  next_ = button(w - 260, ">>", Forward<&TP_wizard::SB_nextClick>);
  ok_ = button(w - 172, "Ok", Forward<&TP_wizard::SB_okClick>);
  cancel_ = button(w - 88, "Cancel", Forward<&TP_wizard::SB_cancelClick>);
  auto* rest = new Fl_Box(0, h - kBarHeight, 1, kBarHeight);
  bar->resizable(rest);
  bar->end();
  end();
  // The close button and Escape cancel.
  callback([](Fl_Widget* window, void*) { static_cast<TP_wizard*>(window)->SB_cancelClick(); });
}

Fl_Group* TP_wizard::AddPage() {
  pages_->begin();
  Fl_Group* page = NewPage(pages_->x(), pages_->y(), pages_->w(), pages_->h());
  pages_->end();
  page->begin();
  return page;
}

void TP_wizard::FormCreate() { ShowPage(0); }

int TP_wizard::ActivePage() const { return pages_->find(pages_->value()); }

void TP_wizard::ShowPage(int page) {
  if (page < 0 || page >= PageCount()) return;
  pages_->value(pages_->child(page));
  PageEntered();
}

bool TP_wizard::RunWizard() {
  finished_ = false;
  try {
    PrepareWizard();
    UpdateButtons();
    ui::CenterOnScreen(*this);
    ui::CurrentDialogs().RunModal(*this);
  } catch (const std::exception&) {
    hide();
    return false;
  }
  return finished_;
}

void TP_wizard::UpdateButtons() {
  const int page = ActivePage();
  const bool last = page == PageCount() - 1;
  auto enable = [](Fl_Button* button, bool on) { on ? button->activate() : button->deactivate(); };
  enable(prior_, page > 0);
  enable(next_, !last);
  enable(ok_, last && CanFinish());
}

void TP_wizard::SB_priorClick() {
  const int page = ActivePage();
  if (page > 0 && CanLeavePage(page, false)) ShowPage(page - 1);
  UpdateButtons();
}

void TP_wizard::SB_nextClick() {
  const int page = ActivePage();
  if (page < PageCount() - 1 && CanLeavePage(page, true)) ShowPage(page + 1);
  UpdateButtons();
}

void TP_wizard::SB_okClick() {
  // A disabled button cannot be clicked; a call from elsewhere is held to the same rule.
  if (!ok_->active()) return;
  if (!CollectResult()) return;
  finished_ = true;
  hide();
}

void TP_wizard::SB_cancelClick() {
  if (CanCancel()) hide();
}

}  // namespace vx::builder
