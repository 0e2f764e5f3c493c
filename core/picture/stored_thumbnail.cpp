#include "picture/stored_thumbnail.h"

#include "picture/jpeg_codec.h"
#include "picture/resample.h"

namespace vx {

std::string ThumbnailBlockName(std::string_view frameId) { return "TN_" + std::string(frameId); }

std::optional<std::string> EncodeStoredThumbnail(const Bitmap& picture) {
  const Size side{kStoredThumbnailSide, kStoredThumbnailSide};
  if (picture.Width() <= side.width && picture.Height() <= side.height) return std::nullopt;
  const Size fitted = FitInsideRounded({picture.Width(), picture.Height()}, side);
  Bitmap thumbnail(fitted.width, fitted.height);
  ShrinkAveraging(picture, thumbnail);
  return EncodeJpeg(thumbnail, kStoredThumbnailQuality);
}

std::optional<Bitmap> DecodeStoredThumbnail(std::string_view block, Size box) {
  if (block.empty()) return std::nullopt;
  try {
    // Decoded reduced when the tile is much smaller: a large strip fills faster.
    Bitmap thumbnail = DecodeJpegIntactForBox(block, box);
    const Size fitted = FitInside({thumbnail.Width(), thumbnail.Height()}, box);
    if (thumbnail.Width() < fitted.width || thumbnail.Height() < fitted.height) return std::nullopt;
    return thumbnail;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace vx
