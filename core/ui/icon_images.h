// Icon pictures as the toolkit's images, for window icons and for showing an icon.
#pragma once

#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>

#include <memory>
#include <vector>

#include "picture/ico_codec.h"

namespace vx::ui {

// Red, green, blue and alpha, so window icons and drawings keep the transparency.
std::unique_ptr<Fl_RGB_Image> ToRgbImage(const IconPicture& picture);

// Every picture of the icon becomes a window icon of every window shown from now on, and of
// the window given, shown already; the window manager picks the size. Nothing changes when
// there are none.
void UseAsWindowIcons(const std::vector<IconPicture>& pictures, Fl_Window* shown = nullptr);

}  // namespace vx::ui
