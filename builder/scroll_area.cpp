#include "scroll_area.h"

#include <FL/fl_draw.H>

#include <algorithm>

namespace vx::builder {
namespace {

constexpr int kWheelStep = 48;

}  // namespace

ScrollArea::ScrollArea(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
  box(FL_FLAT_BOX);
  horizontal_ = new Fl_Scrollbar(0, 0, 1, 1);
  horizontal_->type(FL_HORIZONTAL);
  horizontal_->callback([](Fl_Widget* bar, void*) {
    auto* area = static_cast<ScrollArea*>(bar->parent());
    area->ScrollTo(static_cast<Fl_Scrollbar*>(bar)->value(), area->YPosition());
  });
  vertical_ = new Fl_Scrollbar(0, 0, 1, 1);
  vertical_->callback([](Fl_Widget* bar, void*) {
    auto* area = static_cast<ScrollArea*>(bar->parent());
    area->ScrollTo(area->XPosition(), static_cast<Fl_Scrollbar*>(bar)->value());
  });
  end();
  resizable(nullptr);
  LayoutScrollbars();
}

void ScrollArea::AddContent(Fl_Widget& widget) { insert(widget, horizontal_); }

int ScrollArea::ViewWidth() const {
  return w() - Fl::box_dw(box()) - (vertical_->visible() ? vertical_->w() : 0);
}

int ScrollArea::ViewHeight() const {
  return h() - Fl::box_dh(box()) - (horizontal_->visible() ? horizontal_->h() : 0);
}

void ScrollArea::SetExtent(Size extent) {
  extent_ = extent;
  LayoutScrollbars();
  ScrollTo(xPosition_, yPosition_);
}

void ScrollArea::LayoutScrollbars() {
  const int bar = Fl::scrollbar_size();
  const int w = this->w() - Fl::box_dw(box()), h = this->h() - Fl::box_dh(box());
  bool needH = extent_.width > w, needV = extent_.height > h;
  if (needH && !needV) needV = extent_.height > h - bar;
  if (needV && !needH) needH = extent_.width > w - bar;
  const int viewW = w - (needV ? bar : 0), viewH = h - (needH ? bar : 0);
  horizontal_->resize(OriginX(), OriginY() + viewH, viewW, bar);
  vertical_->resize(OriginX() + viewW, OriginY(), bar, viewH);
  if (needH)
    horizontal_->show();
  else
    horizontal_->hide();
  if (needV)
    vertical_->show();
  else
    vertical_->hide();
  horizontal_->linesize(kWheelStep);
  vertical_->linesize(kWheelStep);
}

void ScrollArea::ScrollTo(int x, int y) {
  const int newX = std::clamp(x, 0, std::max(0, extent_.width - ViewWidth()));
  const int newY = std::clamp(y, 0, std::max(0, extent_.height - ViewHeight()));
  horizontal_->value(newX, ViewWidth(), 0, std::max(extent_.width, ViewWidth()));
  vertical_->value(newY, ViewHeight(), 0, std::max(extent_.height, ViewHeight()));
  if (newX == xPosition_ && newY == yPosition_) return;
  const int dx = xPosition_ - newX, dy = yPosition_ - newY;
  for (int i = 0; i < children(); ++i) {
    Fl_Widget* widget = child(i);
    if (widget == horizontal_ || widget == vertical_) continue;
    widget->position(widget->x() + dx, widget->y() + dy);
  }
  xPosition_ = newX;
  yPosition_ = newY;
  redraw();
}

void ScrollArea::resize(int x, int y, int w, int h) {
  const int dx = x - this->x(), dy = y - this->y();
  Fl_Widget::resize(x, y, w, h);
  for (int i = 0; i < children(); ++i) {
    Fl_Widget* widget = child(i);
    widget->position(widget->x() + dx, widget->y() + dy);
  }
  LayoutScrollbars();
  ScrollTo(xPosition_, yPosition_);
  redraw();
}

void ScrollArea::draw() {
  // Everything, clipped to the view: a pointer that changes shape leaves nothing behind.
  fl_push_clip(OriginX(), OriginY(), ViewWidth(), ViewHeight());
  draw_box();
  for (int i = 0; i < children(); ++i) {
    Fl_Widget* widget = child(i);
    if (widget == horizontal_ || widget == vertical_ || !widget->visible()) continue;
    draw_child(*widget);
  }
  fl_pop_clip();
  for (Fl_Scrollbar* bar : {horizontal_, vertical_}) {
    if (bar->visible()) draw_child(*bar);
  }
  if (horizontal_->visible() && vertical_->visible()) {
    fl_color(FL_BACKGROUND_COLOR);
    fl_rectf(vertical_->x(), horizontal_->y(), vertical_->w(), horizontal_->h());
  }
}

int ScrollArea::handle(int event) {
  // The scroll bars are the last children, so they take presses before any content.
  if (Fl_Group::handle(event)) return 1;
  if (event == FL_MOUSEWHEEL) {
    ScrollTo(xPosition_ + Fl::event_dx() * kWheelStep, yPosition_ + Fl::event_dy() * kWheelStep);
    return 1;
  }
  return 0;
}

}  // namespace vx::builder
