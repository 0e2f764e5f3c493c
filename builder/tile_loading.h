// The builder's tiles: each shows a source picture file of the project.
#pragma once

#include <memory>
#include <string>

#include "ui/thumbnail_strip.h"

namespace vx::builder {

// Reads the picture once to check it (its error goes to the caller and no tile is added),
// then adds a tile with a new identifier, the path as its source file and the file name as
// its footer.
ui::TO_img_item* AddTileFromFile(ui::TO_img_items& strip, const std::string& path);

// The loader of a builder tile: the source file of the tile with that identifier, or
// fallbackPath while the tile is being made. JPEG files are decoded at a quarter size while
// the strip is busy.
bool LoadTilePicture(const ui::TO_img_items& strip, const std::string& fallbackPath,
                     const std::string& id, Bitmap& picture);

// The reduced picture of a tile of that size, made on any thread; fails as the file's reader
// fails.
std::shared_ptr<const Bitmap> MakeTileThumbnail(const std::string& path, int tileSize,
                                                const strip::Metrics& metrics);

}  // namespace vx::builder
