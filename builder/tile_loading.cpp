#include "tile_loading.h"

#include "formats/picture_file.h"

namespace vx::builder {

std::shared_ptr<const Bitmap> MakeTileThumbnail(const std::string& path, int tileSize,
                                                const strip::Metrics& metrics) {
  const Size box = strip::PictureBox(tileSize, metrics);
  Bitmap picture = LoadPictureFileForBox(path, box);
  return std::make_shared<const Bitmap>(
      strip::MakeThumbnail(picture, FitInside({picture.Width(), picture.Height()}, box)));
}

}  // namespace vx::builder
