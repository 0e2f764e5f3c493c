// A source picture made small for a preview, without decoding a large photo in full.
#pragma once

#include <string>

#include "picture/bitmap.h"

namespace vx {

// The picture of the file fitted into the box, keeping its proportions (FitInsideRounded); a
// JPEG is decoded reduced to about the box's size first. Fails as LoadPictureFile does.
Bitmap LoadPicturePreview(const std::string& path, Size box);

}  // namespace vx
