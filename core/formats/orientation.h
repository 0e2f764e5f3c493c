// Cameras and phones store a picture as the sensor saw it and say in EXIF how to turn it.
#pragma once

#include <string_view>

#include "picture/bitmap.h"

namespace vx {

// The EXIF orientation of a JPEG file, 1 to 8; 1 (as stored) when it has none or the EXIF
// data cannot be read.
int ExifOrientation(std::string_view jpegBytes);

// The picture turned and mirrored as the orientation says, so that it stands upright
// (5 to 8 swap width and height); any other value leaves it as it is.
Bitmap Upright(Bitmap picture, int orientation);

}  // namespace vx
