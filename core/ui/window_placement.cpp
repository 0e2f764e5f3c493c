#include "ui/window_placement.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

namespace vx::ui {

void CenterOnScreen(Fl_Window& window) {
  int x = 0, y = 0, w = 0, h = 0;
  Fl::screen_work_area(x, y, w, h);
  window.position(x + (w - window.w()) / 2, y + (h - window.h()) / 2);
}

Size ScreenSize(const Fl_Window* window) {
  int x = 0, y = 0, w = 0, h = 0;
  const int screen =
      window ? Fl::screen_num(window->x() + window->w() / 2, window->y() + window->h() / 2) : 0;
  Fl::screen_xywh(x, y, w, h, screen);
  return {w, h};
}

}  // namespace vx::ui
