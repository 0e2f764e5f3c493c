// Saves a bitmap as a PNG under the build's test-output folder, for a person to look at.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <string>

#include "picture/bitmap.h"

namespace vx::test {

inline std::string SavePng(const Bitmap& bitmap, const std::string& name) {
  std::filesystem::create_directories("test-output");
  const std::string path = (std::filesystem::absolute("test-output") / name).string();
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.Width(), bitmap.Height());
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const std::uint8_t* p = bitmap.Row(y) + x * 3;
      *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) = p[0] | (p[1] << 8) | (p[2] << 16);
    }
  }
  cairo_surface_mark_dirty(surface);
  cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  return path;
}

}  // namespace vx::test
