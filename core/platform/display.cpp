#include "platform/display.h"

#include <X11/Xlib.h>

namespace vx {

bool DisplayAvailable() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

}  // namespace vx
