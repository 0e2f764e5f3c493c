#include "scale_image_dialog.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "picture/grab_rectangle.h"
#include "ui/dialogs.h"
#include "ui/scaled_layout.h"

namespace vx::builder {
namespace {

constexpr int kTextSize = 12;
constexpr int kMinimum = 10, kMaximum = 160, kTickEvery = 25;

Fl_Box* Text(int x, int y, int w, const char* text) {
  auto* box = new Fl_Box(x, y, w, 20, text);
  box->labelsize(kTextSize);
  box->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  return box;
}

}  // namespace

TD_scale_image::TD_scale_image() : Fl_Double_Window(330, 130, "Scale view") {
  trackBar_ = new TrackBar(12, 12, 306, 36, kMinimum, kMaximum, kTickEvery);
  trackBar_->value(100);
  trackBar_->callback(
      [](Fl_Widget* w, void*) { static_cast<TD_scale_image*>(w->window())->TrB1Change(); });
  Text(12, 58, 80, "Shown size:");
  value_ = Text(92, 58, 36, valueText_);
  value_->labelfont(FL_HELVETICA_BOLD);
  value_->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
  Text(132, 58, 180, "% of real image size");
  auto button = [](int x, const char* label) {
    auto* b = new Fl_Button(x, 92, 90, 26, label);
    b->labelsize(kTextSize);
    return b;
  };
  ok_ = button(32, "Ok");
  ok_->callback([](Fl_Widget* w, void*) { w->window()->hide(); });
  cancel_ = button(128, "Cancel");
  reset_ = button(224, "Reset");
  reset_->callback([](Fl_Widget* w, void*) { static_cast<TD_scale_image*>(w->window())->Reset(); });
  end();
  auto cancel = [](Fl_Widget* w, void*) {
    auto* dialog = static_cast<TD_scale_image*>(w->window() ? w->window() : w);
    dialog->Reset();
    dialog->hide();
  };
  cancel_->callback(cancel);
  callback(cancel);
  ui::ScaleWidgetTree(*this);
}

void TD_scale_image::SetValueText(int percent) {
  std::snprintf(valueText_, sizeof valueText_, "%d", percent);
  value_->label(valueText_);
  value_->redraw();
}

void TD_scale_image::Reset() {
  SetValueText(100);
  trackBar_->value(100);
  if (!picture_) return;
  picture_->ShowRealSize();
  real_ = picture_->RealSize();
}

void TD_scale_image::TrB1Change() {
  const int percent = trackBar_->Position();
  if (picture_) picture_->ShowStretched(ScaledSize(real_, percent));
  SetValueText(percent);
}

int TD_scale_image::ScaleView(PictureBox& picture) {
  picture_ = &picture;
  Reset();
  ui::CurrentDialogs().RunModal(*this);
  picture_ = nullptr;
  int percent = 0;
  const char* end = valueText_ + std::strlen(valueText_);
  const auto [at, error] = std::from_chars(valueText_, end, percent);
  return error == std::errc() && at == end ? percent : 1;
}

}  // namespace vx::builder
