#include "tile_loading.h"

#include <filesystem>
#include <memory>

#include "document/conversions.h"
#include "formats/picture_file.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "text/text_case.h"

namespace vx::builder {

bool LoadTilePicture(const ui::TO_img_items& strip, const std::string& fallbackPath,
                     const std::string& id, Bitmap& picture) {
  const ui::TO_img_item* tile = strip.FindTileById(id);
  const std::string path = tile ? tile->SourceFile : fallbackPath;
  if (!FileExists(path)) return false;
  const std::string extension = AsciiUpper(std::filesystem::path(path).extension().string());
  if (extension == ".JPG" || extension == ".JPEG") {
    try {
      picture = DecodeJpeg(ReadWholeFile(path), strip.Busy ? JpegScale::Quarter : JpegScale::Full);
      return true;
    } catch (const std::exception&) {
      return false;
    }
  }
  picture = LoadPictureFile(path);
  return true;
}

ui::TO_img_item* AddTileFromFile(ui::TO_img_items& strip, const std::string& path) {
  // The picture read for the check also makes the first thumbnail, instead of a second read.
  auto checked = std::make_shared<Bitmap>(LoadPictureFile(path));
  ui::TO_img_items* owner = &strip;
  ui::TO_img_item* tile =
      strip.AddTile(NewId(), [owner, path, checked](const std::string& id, Bitmap& picture) {
        if (!checked->Empty()) {
          picture = std::move(*checked);
          *checked = Bitmap();
          return true;
        }
        return LoadTilePicture(*owner, path, id, picture);
      });
  tile->SourceFile = path;
  tile->SetFooter(std::filesystem::path(path).filename().string());
  return tile;
}

std::shared_ptr<const Bitmap> MakeTileThumbnail(const std::string& path, int tileSize,
                                                const strip::Metrics& metrics) {
  const Size box = strip::PictureBox(tileSize, metrics);
  Bitmap picture = LoadPictureFileForBox(path, box);
  return std::make_shared<const Bitmap>(
      strip::MakeThumbnail(picture, FitInside({picture.Width(), picture.Height()}, box)));
}

}  // namespace vx::builder
