#include "busy_animation.h"

#include <cmath>

namespace vx::builder {

double NextBusyAngle(double angle) {
  angle += 0.2;
  return angle > 6.28 ? 0 : angle;
}

Point BusyPicturePosition(double angle, const Rect& ellipse, Size picture) {
  const int halfWidth = ellipse.Width() / 2, halfHeight = ellipse.Height() / 2;
  return {
      RoundHalfEven(std::cos(angle) * halfWidth) + ellipse.left + halfWidth - picture.width / 2,
      RoundHalfEven(std::sin(angle) * halfHeight) + ellipse.top + halfHeight - picture.height / 2};
}

}  // namespace vx::builder
