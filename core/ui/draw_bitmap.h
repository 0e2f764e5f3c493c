// Drawing a bitmap on the current FLTK surface (a window, or a printer's page).
#pragma once

#include "picture/bitmap.h"

namespace vx::ui {

// Top-left corner at (x, y), one pixel per unit. Only the part inside the current clip is
// converted and sent, so a large picture costs what shows of it.
void DrawBitmap(const Bitmap& bitmap, int x, int y);
// The same, leaving out every pixel of the key colour: what lies below shows through there.
void DrawBitmapExcept(const Bitmap& bitmap, int x, int y, Color key);

// What stands where a picture could not be loaded: a dark box with the text in white, wrapped
// and centred.
void DrawMissingPicture(int x, int y, int w, int h, const char* text);
inline constexpr const char* kPictureMissingLabel = "Picture missing";

}  // namespace vx::ui
