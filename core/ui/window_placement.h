// Where dialogs appear.
#pragma once

class Fl_Window;

namespace vx::ui {

// In the middle of the screen's work area.
void CenterOnScreen(Fl_Window& window);

}  // namespace vx::ui
