#include "img_frame.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <exception>

#include "platform/ui_scale.h"
#include "ui/draw_bitmap.h"

namespace vx::builder {
namespace {

constexpr Fl_Color kBackground = 0x91919100;  // red, green and blue 145
constexpr int kMargin = 10;                   // around a picture larger than the view
constexpr Color kKeyColor = 0x00FF00;         // pure green
constexpr int kPlaceholderSide = 50;

Bitmap MakePlaceholder() {
  Bitmap bitmap(kPlaceholderSide, kPlaceholderSide);
  bitmap.Fill(0x808080);
  bitmap.FillRect({1, 1, kPlaceholderSide - 1, kPlaceholderSide - 1}, 0xE0E0E0);
  return bitmap;
}

void SetCursor(Fl_Widget& widget, Fl_Cursor cursor) {
  if (Fl_Window* window = widget.window()) window->cursor(cursor);
}

}  // namespace

// Shows the frame's picture and hands mouse events on it to the frame.
class TO_img_frame::PictureControl : public Fl_Widget {
 public:
  explicit PictureControl(TO_img_frame& frame) : Fl_Widget(0, 0, 1, 1), frame_(frame) {}

 protected:
  void draw() override { ui::DrawBitmap(frame_.picture_, x(), y()); }
  int handle(int event) override {
    switch (event) {
      case FL_PUSH:
        frame_.Image1MouseDown(Fl::event_button());
        return 1;
      case FL_DRAG:
        frame_.Image1MouseMove();
        return 1;
      case FL_RELEASE:
        frame_.Image1MouseUp();
        return 1;
      default:
        return Fl_Widget::handle(event);
    }
  }

 private:
  TO_img_frame& frame_;
};

TO_img_frame::TO_img_frame(int x, int y, int w, int h)
    : Fl_Group(x, y, w, h), placeholder_(MakePlaceholder()) {
  area_ = new ScrollArea(x, y, w, h);
  area_->color(kBackground);
  area_->end();
  end();
  image_ = new PictureControl(*this);
  area_->AddContent(*image_);
  resizable(area_);
  Clear();
}

TO_img_frame::~TO_img_frame() {
  // The pointers are children of the area and go with it; only the list is ours.
  pointers_.clear();
}

Point TO_img_frame::PictureInContent() const {
  return {image_->x() - area_->OriginX() + area_->XPosition(),
          image_->y() - area_->OriginY() + area_->YPosition()};
}

Point TO_img_frame::PictureOrigin() const { return {image_->x(), image_->y()}; }

void TO_img_frame::CenterPicture() {
  const Point before = PictureInContent();
  area_->SetExtent({});
  area_->ScrollTo(0, 0);
  const int pw = picture_.Width(), ph = picture_.Height();
  const int margin = Scaled(kMargin);
  // A scroll bar for one side makes the view narrower for the other: a second pass settles.
  for (int pass = 0; pass < 2; ++pass) {
    area_->SetExtent({pw < area_->ViewWidth() ? 0 : pw + 2 * margin,
                      ph < area_->ViewHeight() ? 0 : ph + 2 * margin});
  }
  const int left = pw < area_->ViewWidth() ? (area_->ViewWidth() - pw) / 2 : margin;
  const int top = ph < area_->ViewHeight() ? (area_->ViewHeight() - ph) / 2 : margin;
  image_->resize(area_->OriginX() + left, area_->OriginY() + top, pw, ph);
  // The pointers stay on their picture points.
  const Point after = PictureInContent();
  for (TMhint* pointer : pointers_) {
    const Point anchor = pointer->ContentAnchor();
    pointer->Place(pointer->LabelText(), *area_, anchor.x + after.x - before.x,
                   anchor.y + after.y - before.y, pointer->AreaWidth(), pointer->AreaHeight());
  }
  area_->redraw();
}

void TO_img_frame::resize(int x, int y, int w, int h) {
  Fl_Group::resize(x, y, w, h);
  FrameResize();
}

void TO_img_frame::FrameResize() { CenterPicture(); }

void TO_img_frame::Clear() {
  while (!pointers_.empty()) RemovePointerAt(PointerCount() - 1, false);
  picture_ = placeholder_;
  CenterPicture();
  changed_ = false;
}

bool TO_img_frame::ShowPicture(const std::function<bool(Bitmap&)>& loader) {
  Clear();
  if (!loader) return false;
  SetCursor(*this, FL_CURSOR_WAIT);
  Bitmap picture;
  bool loaded = false;
  try {
    loaded = loader(picture) && !picture.Empty();
  } catch (const std::exception&) {
    loaded = false;
  }
  if (loaded) {
    picture_ = std::move(picture);
    CenterPicture();
  }
  SetCursor(*this, FL_CURSOR_DEFAULT);
  return loaded;
}

void TO_img_frame::ShowBitmap(Bitmap picture) {
  ShowPicture([&](Bitmap& target) {
    target = std::move(picture);
    return true;
  });
}

void TO_img_frame::LoadPointers(const std::string& text) {
  while (!pointers_.empty()) RemovePointerAt(PointerCount() - 1, false);
  const Size size{picture_.Width(), picture_.Height()};
  for (const PlacedPointer& pointer : ReadPlacedPointers(text, size))
    AddPointer(pointer.anchor, pointer.properties, false);
  changed_ = false;
}

std::string TO_img_frame::PointersText() {
  area_->ScrollTo(0, 0);
  return CurrentPointersText();
}

std::string TO_img_frame::CurrentPointersText() const {
  std::vector<PlacedPointer> placed;
  for (const TMhint* pointer : pointers_) placed.push_back(StateOf(*pointer));
  return WritePlacedPointers(placed, {picture_.Width(), picture_.Height()});
}

PlacedPointer TO_img_frame::StateOf(const TMhint& pointer) const {
  const Point picture = PictureInContent();
  const Point anchor = pointer.ContentAnchor();
  return {pointer.Properties(), {anchor.x - picture.x, anchor.y - picture.y}};
}

TMhint* TO_img_frame::AddPointer(Point at, const PointerProperties& properties, bool markChanged) {
  auto* pointer = new TMhint;
  pointers_.push_back(pointer);
  const std::string id = pointer->ObjId();
  pointer->SetKeyColor(kKeyColor);
  pointer->SetProperties(properties);
  if (properties.objId.empty()) pointer->SetObjId(id);
  const Point picture = PictureInContent();
  pointer->Place(properties.label, *area_, picture.x + at.x, picture.y + at.y, properties.areaWidth,
                 properties.areaHeight);
  pointer->OnMouseDown = [this](TMhint& p, Point where) { PointerMouseDown(p, where); };
  pointer->OnMouseMove = [this](TMhint& p, Point where) { PointerMouseMove(p, where); };
  pointer->OnMouseUp = [this](TMhint& p, Point where) { PointerMouseUp(p, where); };
  if (markChanged) {
    changed_ = true;
    Report(PointerChange::Added, PointerCount() - 1, {}, StateOf(*pointer));
  }
  return pointer;
}

void TO_img_frame::MovePointer(TMhint& pointer, Point at, bool markChanged) {
  if (IndexOf(&pointer) < 0) return;
  const PlacedPointer before = StateOf(pointer);
  const Point picture = PictureInContent();
  pointer.Place(pointer.LabelText(), *area_, picture.x + at.x, picture.y + at.y,
                pointer.AreaWidth(), pointer.AreaHeight());
  if (markChanged) {
    changed_ = true;
    Report(PointerChange::Moved, IndexOf(&pointer), before, StateOf(pointer));
  }
}

void TO_img_frame::EditPointer(TMhint& pointer, const PointerProperties& properties,
                               bool markChanged) {
  if (IndexOf(&pointer) < 0) return;
  const PlacedPointer before = StateOf(pointer);
  pointer.SetProperties(properties);
  if (markChanged) {
    changed_ = true;
    Report(PointerChange::Edited, IndexOf(&pointer), before, StateOf(pointer));
  }
}

void TO_img_frame::RemovePointer(TMhint* pointer, bool markChanged) {
  RemovePointerAt(IndexOf(pointer), markChanged);
}

void TO_img_frame::RemovePointerAt(int index, bool markChanged) {
  TMhint* pointer = PointerAt(index);
  if (!pointer) return;
  const PlacedPointer before = StateOf(*pointer);
  pointers_.erase(pointers_.begin() + index);
  if (dragging_) dragging_ = false;
  area_->damage(FL_DAMAGE_ALL, pointer->x(), pointer->y(), pointer->w(), pointer->h());
  pointer->OnMouseDown = pointer->OnMouseMove = pointer->OnMouseUp = nullptr;
  pointer->hide();
  area_->remove(pointer);
  // It may be the control whose event handling led here.
  Fl::delete_widget(pointer);
  if (markChanged) {
    changed_ = true;
    Report(PointerChange::Removed, index, before, {});
  }
}

TMhint* TO_img_frame::PointerAt(int index) const {
  return index >= 0 && index < PointerCount() ? pointers_[index] : nullptr;
}

int TO_img_frame::IndexOf(const TMhint* pointer) const {
  const auto found = std::find(pointers_.begin(), pointers_.end(), pointer);
  return found == pointers_.end() ? -1 : static_cast<int>(found - pointers_.begin());
}

void TO_img_frame::Report(PointerChange::Type type, int index, const PlacedPointer& before,
                          const PlacedPointer& after) {
  if (OnPointerChange) OnPointerChange({type, index, before, after});
}

void TO_img_frame::Image1MouseDown(int button) {
  panPress_ = {Fl::event_x() - image_->x(), Fl::event_y() - image_->y()};
  panning_ = true;
  SetCursor(*this, FL_CURSOR_HAND);
  if (OnPictureMouseDown) OnPictureMouseDown(panPress_, button);
}

void TO_img_frame::Image1MouseMove() {
  if (!panning_) return;
  const Point now{Fl::event_x() - image_->x(), Fl::event_y() - image_->y()};
  area_->ScrollTo(area_->XPosition() + panPress_.x - now.x,
                  area_->YPosition() + panPress_.y - now.y);
}

void TO_img_frame::Image1MouseUp() {
  panning_ = false;
  SetCursor(*this, FL_CURSOR_DEFAULT);
}

void TO_img_frame::PointerMouseDown(TMhint& pointer, Point at) {
  dragPress_ = at;
  dragging_ = true;
  dragMoved_ = false;
  dragStart_ = StateOf(pointer);
}

void TO_img_frame::PointerMouseMove(TMhint& pointer, Point at) {
  if (!dragging_ || (at.x == dragPress_.x && at.y == dragPress_.y)) return;
  area_->damage(FL_DAMAGE_ALL, pointer.x(), pointer.y(), pointer.w(), pointer.h());
  pointer.position(pointer.x() + at.x - dragPress_.x, pointer.y() + at.y - dragPress_.y);
  area_->damage(FL_DAMAGE_ALL, pointer.x(), pointer.y(), pointer.w(), pointer.h());
  dragMoved_ = true;
  changed_ = true;
}

void TO_img_frame::PointerMouseUp(TMhint& pointer, Point) {
  if (!dragging_) return;
  dragging_ = false;
  pointer.Reanchor();
  if (dragMoved_) {
    Report(PointerChange::Moved, IndexOf(&pointer), dragStart_, StateOf(pointer));
  } else if (OnPointerClick) {
    OnPointerClick(pointer);
  }
}

}  // namespace vx::builder
