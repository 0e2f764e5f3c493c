// TMhint: one pointer of the current picture as a small control over it. It sizes itself to
// its shape, shows only the shape (the rest of its box lets the picture through), and keeps
// its anchor on the same picture point whatever of it changes.
#pragma once

#include <FL/Fl_Group.H>
#include <FL/Fl_Widget.H>

#include <functional>
#include <optional>
#include <string>

#include "pointers/hint_shape.h"

namespace vx::builder {

class TMhint : public Fl_Widget {
 public:
  // Hidden, with a new identifier, a cloud, 10 x 10.
  TMhint();

  const std::string& ObjId() const { return properties_.objId; }
  int Kind() const { return properties_.kind; }
  const std::string& LabelText() const { return properties_.label; }
  bool LeftToRight() const { return properties_.leftToRight; }
  bool BottomToTop() const { return properties_.bottomToTop; }
  Color BrushColor() const { return properties_.brush; }
  Color PenColor() const { return properties_.pen; }
  Color TextColor() const { return properties_.text; }
  Color KeyColor() const { return keyColor_; }
  int AreaWidth() const { return properties_.areaWidth; }
  int AreaHeight() const { return properties_.areaHeight; }
  const PointerProperties& Properties() const { return properties_; }

  // Each setter lays the control out again around its anchor.
  void SetObjId(const std::string& id) { properties_.objId = id; }
  void SetBrushColor(Color color);
  void SetKeyColor(Color color);
  void SetTextColor(Color color);
  void SetPenColor(Color color);
  void SetLeftToRight(bool value);
  void SetBottomToTop(bool value);
  void SetAreaWidth(int pixels);
  void SetAreaHeight(int pixels);
  void SetKind(int kind);
  // Everything at once; the anchor stays.
  void SetProperties(const PointerProperties& properties);

  // Makes the control a child of parent with the anchor in the parent's content coordinates
  // (unscrolled), lays it out and shows it.
  void Place(const std::string& label, Fl_Group& parent, int anchorX, int anchorY, int areaWidth,
             int areaHeight);
  // Only while the control is shown: Place again with the new label.
  void SetLabel(const std::string& label);
  // Takes the anchor from where the control now lies (after it was dragged).
  void Reanchor();
  // The anchor in the parent's visible coordinates, and in its content coordinates.
  int AnchorX() const;
  int AnchorY() const;
  Point ContentAnchor() const { return anchor_; }
  int AnchorOffsetX() const { return layout_.anchorOffset.x; }
  int AnchorOffsetY() const { return layout_.anchorOffset.y; }

  // Whether the shape covers the point of the control: presses elsewhere in its box fall
  // through to what lies below.
  bool CoversPoint(Point at) const;

  // Mouse press, drag and release on the shape, in the control's own coordinates. The
  // handlers may remove the control (with Fl::delete_widget).
  std::function<void(TMhint&, Point)> OnMouseDown, OnMouseMove, OnMouseUp;

  // Tests fix the size of every label, as on a canvas.
  static void SetFixedTextMetrics(std::optional<Size> size);

 protected:
  void draw() override;
  int handle(int event) override;

 private:
  void Relayout();
  // The part of the parent's window that this control covers needs drawing again.
  void Invalidate();
  // The key colour unless the shape uses it: a shape coloured like the key still shows.
  Color DrawingKey() const;
  // The shape's pixels of the control's box from (left, top) on, on the key colour.
  Bitmap Render(const Rect& part) const;

  PointerProperties properties_;
  Color keyColor_ = 0;
  Point anchor_;
  HintLayout layout_{{10, 10}, {0, 0}};
};

}  // namespace vx::builder
