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
  ReduceInto(picture, reduced);
  return reduced;
}

void ReduceInto(Bitmap& picture, Bitmap& thumbnail) {
  if (picture.Empty()) return;
  if (NeedsSmoothing({picture.Width(), picture.Height()}, {thumbnail.Width(), thumbnail.Height()}))
    SmoothPass(picture, 1);
  ResizeBilinear(picture, thumbnail);
}

Bitmap FitThumbnail(Bitmap& picture, Size box, PixelBlocks* blocks) {
  const Size size = FitInside({picture.Width(), picture.Height()}, box);
  Bitmap thumbnail =
      blocks ? blocks->NewBitmap(size.width, size.height) : Bitmap(size.width, size.height);
  ReduceInto(picture, thumbnail);
  return thumbnail;
}

}  // namespace vx::strip
