// A scroll area whose content is one picture-sized extent: its children are placed in content
// coordinates moved by the scroll positions, and scroll bars appear when the extent is larger
// than the view. Positions never go below 0 or past the extent.
#pragma once

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Scrollbar.H>

#include "picture/geometry.h"

namespace vx::builder {

class ScrollArea : public Fl_Group {
 public:
  ScrollArea(int x, int y, int w, int h);

  // Adds a child below the scroll bars.
  void AddContent(Fl_Widget& widget);
  // The size of what can be scrolled over, from the content origin.
  void SetExtent(Size extent);
  // Clamped to what the extent allows; the content moves, the view stays.
  void ScrollTo(int x, int y);
  int XPosition() const { return xPosition_; }
  int YPosition() const { return yPosition_; }
  // The content's (0, 0) in window coordinates before scrolling: the view's top-left corner.
  int OriginX() const { return x() + Fl::box_dx(box()); }
  int OriginY() const { return y() + Fl::box_dy(box()); }
  // The part of the area that shows content, without the scroll bars.
  int ViewWidth() const;
  int ViewHeight() const;

  void resize(int x, int y, int w, int h) override;

 protected:
  void draw() override;
  int handle(int event) override;

 private:
  void LayoutScrollbars();
  Fl_Scrollbar* horizontal_;
  Fl_Scrollbar* vertical_;
  Size extent_;
  int xPosition_ = 0, yPosition_ = 0;
};

}  // namespace vx::builder
