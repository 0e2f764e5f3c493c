// The busy window's small picture circling along an ellipse, one step per timer tick.
#pragma once

#include "picture/geometry.h"

namespace vx::builder {

// The angle in radians after one tick: 0.2 further, and back to 0 past 6.28.
double NextBusyAngle(double angle);

// Where the small picture (of the given size) stands at that angle: its centre on the ellipse
// inscribed in the box.
Point BusyPicturePosition(double angle, const Rect& ellipse, Size picture);

}  // namespace vx::builder
