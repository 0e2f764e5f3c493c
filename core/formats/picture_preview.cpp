#include "formats/picture_preview.h"

#include <algorithm>

#include "formats/picture_file.h"
#include "picture/resample.h"

namespace vx {

Bitmap LoadPicturePreview(const std::string& path, Size box) {
  // A box of no size still takes the smallest decode.
  const Bitmap picture =
      LoadPictureFileForBox(path, {std::max(box.width, 1), std::max(box.height, 1)});
  const Size fitted = FitInsideRounded({picture.Width(), picture.Height()}, box);
  Bitmap preview(fitted.width, fitted.height);
  ResizeBilinear(picture, preview);
  return preview;
}

}  // namespace vx
