// Where dialogs appear.
#pragma once

#include "picture/geometry.h"

class Fl_Window;

namespace vx::ui {

// In the middle of the screen's work area.
void CenterOnScreen(Fl_Window& window);

// Asks the window manager to maximise the shown window (the desktop's standard maximised
// state), so that its title bar and the desktop's panels leave all of it on screen; nothing
// happens without a window manager.
void Maximize(Fl_Window& window);

// The whole screen the window is on (panels and bars included), or the first screen.
Size ScreenSize(const Fl_Window* window = nullptr);

}  // namespace vx::ui
