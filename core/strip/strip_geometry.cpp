#include "strip/strip_geometry.h"

#include <cmath>

#include "picture/resample.h"

namespace vx::strip {

Size FitThumbnail(Size picture, Size box) {
  if (box.width <= 0 || box.height <= 0 || picture.width <= 0 || picture.height <= 0) return {1, 1};
  Size fitted = box;
  if (static_cast<double>(box.height) / box.width > static_cast<double>(picture.height) / picture.width) {
    fitted.height = static_cast<int>(std::trunc(box.width / (static_cast<double>(picture.width) / picture.height)));
  } else {
    fitted.width = static_cast<int>(std::trunc(box.height / (static_cast<double>(picture.height) / picture.width)));
  }
  return {std::max(fitted.width, 1), std::max(fitted.height, 1)};
}

bool NeedsSmoothing(Size picture, Size thumbnail) {
  return picture.width / (thumbnail.width + 1) >= 7 || picture.height / (thumbnail.height + 1) >= 7;
}

Bitmap MakeThumbnail(Bitmap& picture, Size thumbnail) {
  Bitmap reduced(thumbnail.width, thumbnail.height);
  if (picture.Empty()) return reduced;
  if (NeedsSmoothing({picture.Width(), picture.Height()}, thumbnail)) SmoothPass(picture, 1);
  ResizeBilinear(picture, reduced);
  return reduced;
}

}  // namespace vx::strip
