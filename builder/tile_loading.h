// The builder's tiles: each shows a source picture file of the project, reduced.
#pragma once

#include <memory>
#include <string>

#include "ui/thumbnail_strip.h"

namespace vx::builder {

// The reduced picture of a tile of that size, made on any thread; fails as the file's reader
// fails.
std::shared_ptr<const Bitmap> MakeTileThumbnail(const std::string& path, int tileSize,
                                                const strip::Metrics& metrics);

}  // namespace vx::builder
