#include "ui/splitter.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

namespace vx::ui {

int Splitter::handle(int event) {
  switch (event) {
    case FL_ENTER:
      fl_cursor(FL_CURSOR_WE);
      return 1;
    case FL_LEAVE:
      fl_cursor(FL_CURSOR_DEFAULT);
      return 1;
    case FL_PUSH:
      grab_ = Fl::event_x() - x();
      return 1;
    case FL_DRAG:
      if (OnDrag) OnDrag(Fl::event_x() - grab_);
      return 1;
    case FL_RELEASE:
      if (OnRelease) OnRelease();
      return 1;
    default:
      return Fl_Box::handle(event);
  }
}

}  // namespace vx::ui
