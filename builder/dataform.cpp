#include "dataform.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Return_Button.H>

#include "ui/dialogs.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::builder {
namespace {

constexpr int kButtonWidth = 75, kButtonHeight = 25, kMargin = 8, kTextSize = 12;

}  // namespace

TP_dataform::TP_dataform(int w, int h, const char* caption) : Fl_Double_Window(w, h, caption) {}

void TP_dataform::EndForm() {
  const int top = h() - ButtonBarHeight;
  auto* bar = new Fl_Group(0, top, w(), ButtonBarHeight);
  bar->box(FL_THIN_UP_BOX);
  const int y = top + (ButtonBarHeight - kButtonHeight) / 2;
  const int left = w() - 2 * (kButtonWidth + kMargin);
  // A resizable dialog widens the bar on the left of the buttons, which stay on the right.
  bar->resizable(new Fl_Box(0, top, left, ButtonBarHeight));
  ok_ = new Fl_Return_Button(left, y, kButtonWidth, kButtonHeight, "Ok");
  cancel_ = new Fl_Button(w() - kButtonWidth - kMargin, y, kButtonWidth, kButtonHeight, "Cancel");
  bar->end();
  for (Fl_Button* button : {ok_, cancel_}) button->labelsize(kTextSize);
  ok_->callback([](Fl_Widget* w, void*) { static_cast<TP_dataform*>(w->window())->btn_okClick(); });
  cancel_->callback(
      [](Fl_Widget* w, void*) { static_cast<TP_dataform*>(w->window())->btn_cancelClick(); });
  end();
  // The close button and Escape cancel.
  callback([](Fl_Widget* w, void*) { static_cast<TP_dataform*>(w)->btn_cancelClick(); });
  ui::ScaleWidgetTree(*this);
}

bool TP_dataform::EditText(std::string& text) {
  confirmed_ = false;
  LoadText(text);
  ui::CenterOnScreen(*this);
  ui::CurrentDialogs().RunModal(*this);
  if (confirmed_) {
    StoreText();
    text = resultText_;
  }
  const bool confirmed = confirmed_;
  ResetText();
  return confirmed;
}

void TP_dataform::LoadText(const std::string& text) { resultText_ = text; }

void TP_dataform::ResetText() { resultText_.clear(); }

void TP_dataform::btn_okClick() {
  confirmed_ = true;
  hide();
}

void TP_dataform::btn_cancelClick() { hide(); }

}  // namespace vx::builder
