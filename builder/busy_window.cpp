#include "busy_window.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>

#include "busy_animation.h"
#include "pictures.h"
#include "ui/labels.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::builder {

namespace {
constexpr double kTickSeconds = 0.2;
}  // namespace

TD_working::TD_working() : Fl_Double_Window(260, 130, "working") {
  border(0);
  box(FL_UP_BOX);
  ellipse_ = new Fl_Box(90, 10, 80, 76);
  ellipse_->box(FL_NO_BOX);
  auto* background = new Fl_Box(ellipse_->x(), ellipse_->y(), ellipse_->w(), ellipse_->h());
  background->image(PictureOf(Picture::BusyBackground));
  mark_ = new Fl_Box(0, 0, 16, 16);
  mark_->image(PictureOf(Picture::BusyMark));
  label_ = new Fl_Box(8, 92, 244, 30);
  label_->labelfont(FL_HELVETICA_BOLD);
  label_->labelsize(13);
  label_->align(FL_ALIGN_INSIDE | FL_ALIGN_CENTER | FL_ALIGN_WRAP);
  end();
  callback([](Fl_Widget* window, void*) { static_cast<TD_working*>(window)->FormClose(); });
  ui::ScaleWidgetTree(*this);
  PlaceMark();
}

TD_working::~TD_working() { Fl::remove_timeout(Tick, this); }

void TD_working::StartBusy(const std::string& text) {
  text_ = ui::LabelText(text);
  label_->label(text_.c_str());
  closable_ = false;
  if (!timer_) Fl::add_timeout(kTickSeconds, Tick, this);
  timer_ = true;
  ui::CenterOnScreen(*this);
  set_non_modal();  // above the program's other windows
  show();
}

void TD_working::StopBusy() {
  closable_ = true;
  Fl::remove_timeout(Tick, this);
  timer_ = false;
  hide();
}

void TD_working::FormClose() {
  if (closable_) hide();
}

void TD_working::Timer1Timer() {
  angle_ = NextBusyAngle(angle_);
  PlaceMark();
  redraw();
}

void TD_working::PlaceMark() {
  const Rect ellipse{ellipse_->x(), ellipse_->y(), ellipse_->x() + ellipse_->w(),
                     ellipse_->y() + ellipse_->h()};
  const Point at = BusyPicturePosition(angle_, ellipse, {mark_->w(), mark_->h()});
  mark_->position(at.x, at.y);
}

void TD_working::Tick(void* window) {
  auto* self = static_cast<TD_working*>(window);
  self->Timer1Timer();
  Fl::repeat_timeout(kTickSeconds, Tick, window);
}

}  // namespace vx::builder
