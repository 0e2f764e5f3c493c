// Synthesised FLTK events and window screenshots for UI tests in real windows.
#pragma once

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <string>

#include "support/png_output.h"

namespace vx::test {

using vx::WaitFor;

inline void Settle() {
  for (int i = 0; i < 5; ++i) Fl::check();
  Fl::flush();
}

inline void MoveMouse(Fl_Window& window, int x, int y) {
  Fl::e_x = x;
  Fl::e_y = y;
  Fl::e_x_root = window.x_root() + x;
  Fl::e_y_root = window.y_root() + y;
}

inline void Press(Fl_Window& window, int x, int y, int button = FL_LEFT_MOUSE) {
  MoveMouse(window, x, y);
  Fl::e_keysym = FL_Button + button;
  Fl::e_state = FL_BUTTON(button);
  Fl::e_clicks = 0;
  Fl::e_is_click = 1;
  Fl::handle(FL_PUSH, &window);
}

inline void Release(Fl_Window& window, int x, int y, int button = FL_LEFT_MOUSE) {
  MoveMouse(window, x, y);
  Fl::e_keysym = FL_Button + button;
  Fl::e_state = 0;
  Fl::handle(FL_RELEASE, &window);
}

inline void Click(Fl_Window& window, int x, int y) {
  Press(window, x, y);
  Release(window, x, y);
  Settle();
}

inline void DragTo(Fl_Window& window, int fromX, int fromY, int toX, int toY) {
  Press(window, fromX, fromY);
  Fl::e_is_click = 0;
  for (int step = 1; step <= 4; ++step) {
    MoveMouse(window, fromX + (toX - fromX) * step / 4, fromY + (toY - fromY) * step / 4);
    Fl::e_state = FL_BUTTON1;
    Fl::handle(FL_DRAG, &window);
  }
  Release(window, toX, toY);
  Settle();
}

// One wheel step at the point: dy 1 turns it towards the user, -1 away.
inline void Wheel(Fl_Window& window, int x, int y, int dy) {
  MoveMouse(window, x, y);
  Fl::e_dx = 0;
  Fl::e_dy = dy;
  Fl::handle(FL_MOUSEWHEEL, &window);
}

// The mouse moved to the point with no button down.
inline void Hover(Fl_Window& window, int x, int y) {
  MoveMouse(window, x, y);
  Fl::e_state = 0;
  Fl::handle(FL_MOVE, &window);
}

// A key pressed and released on the focused widget; handlers may act on either.
inline void Key(Fl_Window& window, int key) {
  Fl::e_keysym = key;
  Fl::e_text = const_cast<char*>("");
  Fl::e_length = 0;
  Fl::e_state = 0;
  Fl::handle(FL_KEYDOWN, &window);
  Fl::handle(FL_KEYUP, &window);
  Settle();
}

}  // namespace vx::test
