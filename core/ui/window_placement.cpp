#include "ui/window_placement.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

namespace vx::ui {

void CenterOnScreen(Fl_Window& window) {
  int x = 0, y = 0, w = 0, h = 0;
  Fl::screen_work_area(x, y, w, h);
  window.position(x + (w - window.w()) / 2, y + (h - window.h()) / 2);
}

void Maximize(Fl_Window& window) {
  if (!window.shown()) return;
  const auto atom = [](const char* name) { return XInternAtom(fl_display, name, False); };
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = fl_xid(&window);
  event.xclient.message_type = atom("_NET_WM_STATE");
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // add the states
  event.xclient.data.l[1] = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_VERT"));
  event.xclient.data.l[2] = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
  event.xclient.data.l[3] = 1;  // asked by the application
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(fl_display);
}

Size ScreenSize(const Fl_Window* window) {
  int x = 0, y = 0, w = 0, h = 0;
  const int screen =
      window ? Fl::screen_num(window->x() + window->w() / 2, window->y() + window->h() / 2) : 0;
  Fl::screen_xywh(x, y, w, h, screen);
  return {w, h};
}

}  // namespace vx::ui
