#include "support/desktop_resources.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace vx::test {

bool SetDesktopResources(const std::string& resources) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(resources.data()),
                  static_cast<int>(resources.size()));
  XSync(display, False);
  XCloseDisplay(display);
  return true;
}

}  // namespace vx::test
