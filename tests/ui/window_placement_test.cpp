// Where windows go: the maximised state asked of the window manager, and the screen's size.
#include "ui/window_placement.h"

// gtest before X11's headers: their macros (None) would break it.
#include <gtest/gtest.h>
#include <unistd.h>
// clang-format off
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
// clang-format on

namespace vx::ui {
namespace {

// A second connection listens on the root window as a window manager does; the request to
// maximise must reach it in the desktop's standard form.
TEST(WindowPlacement, MaximiseAsksTheWindowManager) {
  Fl_Window window(300, 200);
  window.show();
  Fl::check();
  Display* manager = XOpenDisplay(nullptr);
  ASSERT_NE(manager, nullptr);
  XSelectInput(manager, DefaultRootWindow(manager), SubstructureNotifyMask);
  XSync(manager, False);
  Maximize(window);
  const auto atom = [&](const char* name) {
    return static_cast<long>(XInternAtom(manager, name, False));
  };
  bool asked = false;
  for (int wait = 0; wait < 200 && !asked; ++wait) {
    while (!asked && XPending(manager)) {
      XEvent event;
      XNextEvent(manager, &event);
      const XClientMessageEvent& message = event.xclient;
      asked = event.type == ClientMessage && message.window == fl_xid(&window) &&
              static_cast<long>(message.message_type) == atom("_NET_WM_STATE") &&
              message.data.l[0] == 1 && message.data.l[1] == atom("_NET_WM_STATE_MAXIMIZED_VERT") &&
              message.data.l[2] == atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    }
    if (!asked) ::usleep(10000);
  }
  XCloseDisplay(manager);
  EXPECT_TRUE(asked);
  // The whole screen, also where panels take part of it.
  int x = 0, y = 0, w = 0, h = 0;
  Fl::screen_xywh(x, y, w, h, 0);
  EXPECT_EQ(ScreenSize(), (Size{w, h}));
  EXPECT_EQ(ScreenSize(&window), (Size{w, h}));
  window.hide();
}

}  // namespace
}  // namespace vx::ui
