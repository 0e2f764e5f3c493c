#include "sample_pictures.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace vx {

Bitmap MakeSamplePicture(int width, int height, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  struct Blob {
    double x, y, radius, r, g, b;
  };
  std::vector<Blob> blobs(12);
  for (Blob& blob : blobs) {
    blob = {unit(random) * width,
            unit(random) * height,
            (0.05 + unit(random) * 0.25) * std::max(width, height),
            unit(random) * 255,
            unit(random) * 255,
            unit(random) * 255};
  }
  const double skyR = 60 + unit(random) * 120, skyG = 80 + unit(random) * 120,
               skyB = 120 + unit(random) * 120;
  std::normal_distribution<double> noise(0.0, 6.0);
  std::vector<double> noiseTable(4096);
  for (double& n : noiseTable) n = noise(random);

  Bitmap bitmap(width, height);
  std::uint32_t n = seed;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.Row(y);
    const double v = static_cast<double>(y) / std::max(height - 1, 1);
    for (int x = 0; x < width; ++x) {
      double r = skyR * (1 - v) + 40 * v, g = skyG * (1 - v) + 70 * v, b = skyB * (1 - v) + 30 * v;
      for (const Blob& blob : blobs) {
        const double dx = x - blob.x, dy = y - blob.y;
        const double d2 = (dx * dx + dy * dy) / (blob.radius * blob.radius);
        if (d2 < 1) {
          const double w = (1 - d2) * (1 - d2);
          r += (blob.r - r) * w;
          g += (blob.g - g) * w;
          b += (blob.b - b) * w;
        }
      }
      n = n * 1664525u + 1013904223u;
      const double grain = noiseTable[n >> 20];
      row[x * 3] = static_cast<std::uint8_t>(std::clamp(b + grain, 0.0, 255.0));
      row[x * 3 + 1] = static_cast<std::uint8_t>(std::clamp(g + grain, 0.0, 255.0));
      row[x * 3 + 2] = static_cast<std::uint8_t>(std::clamp(r + grain, 0.0, 255.0));
    }
  }
  return bitmap;
}

}  // namespace vx
