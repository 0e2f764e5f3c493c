#include "message_dialogs.h"

#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>

#include "platform/ui_scale.h"
#include "ui/dialogs.h"
#include "ui/labels.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::builder {
namespace {

constexpr int kWidth = 360;
constexpr int kMargin = 8;
constexpr int kTextHeight = 72;
constexpr int kTextInside = kTextHeight - 8;  // the text within its frame
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kTextSize = 12;

template <typename Dialog, void (Dialog::*Method)()>
void Call(Fl_Widget*, void* dialog) {
  (static_cast<Dialog*>(dialog)->*Method)();
}

// For buttons and for the window's own close request alike.
void HideWindow(Fl_Widget* widget, void*) {
  Fl_Window* window = widget->as_window() ? widget->as_window() : widget->window();
  window->hide();
}

Fl_Button* MakeButton(Fl_Button* button) {
  button->labelsize(kTextSize);
  return button;
}

}  // namespace

TextDialog::TextDialog(const char* caption, int extraHeight)
    : Fl_Double_Window(kWidth, 3 * kMargin + kTextHeight + extraHeight + kButtonHeight + kMargin,
                       caption),
      extraHeight_(extraHeight) {
  auto* frame = new Fl_Box(kMargin, kMargin, kWidth - 2 * kMargin, kTextHeight);
  frame->box(FL_ENGRAVED_BOX);
  text_ = new Fl_Box(2 * kMargin, kMargin + 4, kWidth - 4 * kMargin, kTextInside);
  text_->align(FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_LEFT);
  text_->labelsize(kTextSize);
}

int TextDialog::ExtraTop() const { return 2 * kMargin + kTextHeight; }

int TextDialog::ButtonTop() const { return ExtraTop() + extraHeight_ + kMargin; }

void TextDialog::SetText(const std::string& text) {
  shown_ = ui::LabelText(text);
  text_->label(shown_.c_str());
  // Long texts make the dialog taller rather than being cut off.
  fl_open_display();
  fl_font(text_->labelfont(), text_->labelsize());
  int width = text_->w(), height = 0;
  fl_measure(shown_.c_str(), width, height);
  const int wanted = std::max(Scaled(kTextInside), height + Scaled(4));
  const int delta = wanted - text_->h();
  if (delta == 0) return;
  const int textBottom = text_->y() + text_->h();
  for (int index = 0; index < children(); ++index) {
    Fl_Widget* widget = child(index);
    if (widget == text_) continue;
    if (widget->y() >= textBottom) {
      widget->position(widget->x(), widget->y() + delta);
    } else if (widget->y() + widget->h() >= textBottom) {
      widget->size(widget->w(), widget->h() + delta);  // the frame around the text
    }
  }
  text_->size(text_->w(), wanted);
  size(w(), h() + delta);
  redraw();
}

TDmsg::TDmsg() : TextDialog("Message:", 0) {
  ok_ = MakeButton(new Fl_Return_Button((kWidth - kButtonWidth) / 2, ButtonTop(), kButtonWidth,
                                        kButtonHeight, "OK"));
  ok_->callback(HideWindow);
  end();
  ui::ScaleWidgetTree(*this);
}

void TDmsg::ShowText(const std::string& text) {
  SetText(text);
  ui::CenterOnScreen(*this);
  ui::CurrentDialogs().RunModal(*this);
}

TFsure::TFsure() : TFsure("Confirmation:", 0) {
  end();
  ui::ScaleWidgetTree(*this);
}

TFsure::TFsure(const char* caption, int extraHeight) : TextDialog(caption, extraHeight) {
  yes_ = MakeButton(new Fl_Return_Button(kWidth / 2 - kButtonWidth - 4, ButtonTop(), kButtonWidth,
                                         kButtonHeight, "Yes"));
  yes_->callback(Call<TFsure, &TFsure::OKBtnClick>, this);
  no_ = MakeButton(new Fl_Button(kWidth / 2 + 4, ButtonTop(), kButtonWidth, kButtonHeight, "No"));
  no_->callback(HideWindow);
  // The window's close button and Escape both end here, answering No.
  callback(HideWindow);
}

bool TFsure::Ask(const std::string& text) {
  answer_ = false;
  SetText(text);
  ui::CenterOnScreen(*this);
  ui::CurrentDialogs().RunModal(*this);
  return answer_;
}

void TFsure::OKBtnClick() {
  answer_ = true;
  hide();
}

TFsure_del::TFsure_del() : TFsure("Confirmation", 52) {
  current_ = new Fl_Round_Button(3 * kMargin, ExtraTop() + 4, 200, 20, "Delete current");
  checked_ = new Fl_Round_Button(3 * kMargin, ExtraTop() + 26, 200, 20, "Delete checked");
  for (Fl_Round_Button* button : {current_, checked_}) {
    button->type(FL_RADIO_BUTTON);
    button->labelsize(kTextSize);
  }
  current_->setonly();
  end();
  ui::ScaleWidgetTree(*this);
}

int TFsure_del::AskDelete(const std::string& text) {
  if (!Ask(text)) return -1;
  if (checked_->value()) return 1;
  if (current_->value()) return 0;
  return -1;
}

}  // namespace vx::builder
