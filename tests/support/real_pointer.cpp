#include "support/real_pointer.h"

#include <FL/Fl.H>
#include <FL/x.H>

namespace vx::test {

void ParkRealPointer() {
  fl_open_display();
  XWarpPointer(fl_display, 0L, RootWindow(fl_display, fl_screen), 0, 0, 0, 0, Fl::w() - 1,
               Fl::h() - 1);
  XSync(fl_display, False);
}

}  // namespace vx::test
