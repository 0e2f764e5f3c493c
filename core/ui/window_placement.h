// Where dialogs appear.
#pragma once

#include "picture/geometry.h"

class Fl_Window;

namespace vx::ui {

// In the middle of the screen's work area.
void CenterOnScreen(Fl_Window& window);

// The whole screen the window is on (panels and bars included), or the first screen.
Size ScreenSize(const Fl_Window* window = nullptr);

}  // namespace vx::ui
