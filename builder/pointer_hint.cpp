#include "pointer_hint.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "scroll_area.h"
#include "ui/draw_bitmap.h"

namespace vx::builder {
namespace {

std::optional<Size> fixedMetrics;

void UseMetrics(Canvas& canvas) {
  if (fixedMetrics) canvas.SetFixedTextMetrics(*fixedMetrics);
}

Size Measure(std::string_view text) {
  static Bitmap scratch(1, 1);
  Canvas canvas(scratch);
  UseMetrics(canvas);
  return canvas.MeasureText(text);
}

const ScrollArea* AsScrollArea(const Fl_Group* parent) {
  return dynamic_cast<const ScrollArea*>(parent);
}

// Where the parent's visible (0, 0) lies in window coordinates.
Point VisibleOrigin(const Fl_Group* parent) {
  if (!parent) return {};
  if (const ScrollArea* area = AsScrollArea(parent)) return {area->OriginX(), area->OriginY()};
  return {parent->x() + Fl::box_dx(parent->box()), parent->y() + Fl::box_dy(parent->box())};
}

Point ScrollOffset(const Fl_Group* parent) {
  const ScrollArea* area = AsScrollArea(parent);
  return area ? Point{area->XPosition(), area->YPosition()} : Point{};
}

}  // namespace

void TMhint::SetFixedTextMetrics(std::optional<Size> size) { fixedMetrics = size; }

TMhint::TMhint() : Fl_Widget(0, 0, 10, 10) {
  // Only Place gives it a parent, not whichever group happens to be open.
  if (parent()) parent()->remove(this);
  properties_.objId = NewId();
  hide();
}

void TMhint::SetBrushColor(Color color) {
  properties_.brush = color;
  Relayout();
}

void TMhint::SetKeyColor(Color color) {
  keyColor_ = color;
  Relayout();
}

void TMhint::SetTextColor(Color color) {
  properties_.text = color;
  Relayout();
}

void TMhint::SetPenColor(Color color) {
  properties_.pen = color;
  Relayout();
}

void TMhint::SetLeftToRight(bool value) {
  properties_.leftToRight = value;
  Relayout();
}

void TMhint::SetBottomToTop(bool value) {
  properties_.bottomToTop = value;
  Relayout();
}

void TMhint::SetAreaWidth(int pixels) {
  properties_.areaWidth = pixels;
  Relayout();
}

void TMhint::SetAreaHeight(int pixels) {
  properties_.areaHeight = pixels;
  Relayout();
}

void TMhint::SetKind(int kind) {
  properties_.kind = kind;
  Relayout();
}

void TMhint::SetProperties(const PointerProperties& properties) {
  properties_ = properties;
  Relayout();
}

void TMhint::Place(const std::string& label, Fl_Group& parent, int anchorX, int anchorY,
                   int areaWidth, int areaHeight) {
  if (this->parent() != &parent) {
    if (auto* area = dynamic_cast<ScrollArea*>(&parent))
      area->AddContent(*this);
    else
      parent.add(this);
  }
  properties_.label = label;
  properties_.areaWidth = areaWidth;
  properties_.areaHeight = areaHeight;
  anchor_ = {anchorX, anchorY};
  Relayout();
  show();
  Invalidate();
}

void TMhint::SetLabel(const std::string& label) {
  if (!visible() || !parent()) return;
  Place(label, *parent(), anchor_.x, anchor_.y, properties_.areaWidth, properties_.areaHeight);
}

int TMhint::AnchorX() const { return x() - VisibleOrigin(parent()).x + AnchorOffsetX(); }

int TMhint::AnchorY() const { return y() - VisibleOrigin(parent()).y + AnchorOffsetY(); }

void TMhint::Reanchor() {
  const Point scroll = ScrollOffset(parent());
  anchor_ = {AnchorX() + scroll.x, AnchorY() + scroll.y};
  Relayout();
}

void TMhint::Relayout() {
  Invalidate();
  layout_ = LayoutHint(properties_, Measure);
  const Point origin = VisibleOrigin(parent()), scroll = ScrollOffset(parent());
  resize(origin.x + anchor_.x - AnchorOffsetX() - scroll.x,
         origin.y + anchor_.y - AnchorOffsetY() - scroll.y, layout_.size.width,
         layout_.size.height);
  Invalidate();
}

void TMhint::Invalidate() {
  if (parent() && visible() && w() > 0 && h() > 0)
    parent()->damage(FL_DAMAGE_ALL, x(), y(), w(), h());
}

Color TMhint::DrawingKey() const {
  for (Color key : {keyColor_, Color{0x00FF00}, Color{0xFF00FF}, Color{0xFFFF00}}) {
    key &= 0xFFFFFF;
    if (key != properties_.brush && key != properties_.pen && key != properties_.text) return key;
  }
  return 0xFE01FE;  // three colours cannot rule out four
}

Bitmap TMhint::Render(const Rect& part) const {
  Bitmap bitmap(part.Width(), part.Height());
  bitmap.Fill(DrawingKey());
  Canvas canvas(bitmap);
  UseMetrics(canvas);
  DrawHintShape(canvas, properties_, layout_, {-part.left, -part.top});
  return bitmap;
}

bool TMhint::CoversPoint(Point at) const {
  if (at.x < 0 || at.y < 0 || at.x >= w() || at.y >= h()) return false;
  Bitmap pixel = Render({at.x, at.y, at.x + 1, at.y + 1});
  return pixel.Pixel(0, 0) != DrawingKey();
}

void TMhint::draw() {
  // Only what shows is drawn: an area can be far larger than the window.
  int x, y, w, h;
  fl_clip_box(this->x(), this->y(), this->w(), this->h(), x, y, w, h);
  if (w <= 0 || h <= 0) return;
  const Rect part{x - this->x(), y - this->y(), x - this->x() + w, y - this->y() + h};
  ui::DrawBitmapExcept(Render(part), x, y, DrawingKey());
}

int TMhint::handle(int event) {
  const Point at{Fl::event_x() - x(), Fl::event_y() - y()};
  switch (event) {
    case FL_PUSH:
      if (!CoversPoint(at)) return 0;
      if (OnMouseDown) OnMouseDown(*this, at);
      return 1;
    case FL_DRAG:
      if (OnMouseMove) OnMouseMove(*this, at);
      return 1;
    case FL_RELEASE:
      if (OnMouseUp) OnMouseUp(*this, at);
      return 1;
    default:
      return Fl_Widget::handle(event);
  }
}

}  // namespace vx::builder
