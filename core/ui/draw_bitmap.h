// Drawing a bitmap on the current FLTK surface (a window, or a printer's page).
#pragma once

#include "picture/bitmap.h"

namespace vx::ui {

// Top-left corner at (x, y), one pixel per unit.
void DrawBitmap(const Bitmap& bitmap, int x, int y);

}  // namespace vx::ui
