// Pictures for a person to look at: bitmaps and window contents saved as PNG files.
#pragma once

#include <FL/Fl_Window.H>

#include <functional>
#include <string>

#include "picture/bitmap.h"

namespace vx {

void SavePng(const Bitmap& bitmap, const std::string& path);
// What the window shows now (it is drawn first).
Bitmap CaptureWindow(Fl_Window& window);
// What the window draws, drawn into a picture of its own instead of read from the screen, so
// other windows over it do not matter.
Bitmap DrawWindow(Fl_Window& window);
// What one widget of a shown window draws, drawn through the display's own graphics driver
// into a picture off the screen, so other windows over it do not matter.
Bitmap DrawWidget(Fl_Window& window, Fl_Widget& widget);
// What the window shows now (it is drawn first).
void SaveWindowPng(Fl_Window& window, const std::string& path);

// Runs the event loop until done holds or the time is up; whether it holds. Generous by
// default, for the sanitizer build: it returns as soon as the condition holds.
bool WaitFor(const std::function<bool()>& done, double seconds = 30);

}  // namespace vx
