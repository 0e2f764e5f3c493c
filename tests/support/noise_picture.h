// Pictures of random pixels, none of them black, so a blacked-out area always shows.
#pragma once

#include <cstdint>
#include <random>

#include "picture/bitmap.h"

namespace vx::test {

inline Bitmap NoisePicture(int w, int h, unsigned seed = 5) {
  Bitmap b(w, h);
  std::mt19937 random(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * 3; ++x) b.Row(y)[x] = static_cast<std::uint8_t>(random() | 1);
  return b;
}

}  // namespace vx::test
