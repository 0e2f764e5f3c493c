#include "strip/strip_geometry.h"

#include "picture/resample.h"

namespace vx::strip {

Metrics ScaledMetrics(int (*scale)(int)) {
  const Metrics m;
  return {scale(m.margin),
          scale(m.band),
          scale(m.topBand),
          scale(m.widthReserve),
          {scale(m.pictureInset.width), scale(m.pictureInset.height)}};
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

Bitmap FitThumbnail(Bitmap& picture, Size box) {
  return MakeThumbnail(picture, FitInside({picture.Width(), picture.Height()}, box));
}

}  // namespace vx::strip
