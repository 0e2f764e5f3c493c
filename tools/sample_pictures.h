// Photo-like pictures made by code with a fixed seed, for benchmarks, the demo and tests:
// smooth light, soft shapes and sensor noise, so JPEG and resampling costs look like a
// camera's pictures and nothing has to be downloaded.
#pragma once

#include <cstdint>

#include "picture/bitmap.h"

namespace vx {

Bitmap MakeSamplePicture(int width, int height, std::uint32_t seed);

}  // namespace vx
