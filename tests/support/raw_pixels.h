// A bitmap's pixels handed from a child process to its test through a file.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "picture/bitmap.h"

namespace vx::test {

inline std::string RawPixels(const Bitmap& b) {
  return std::string(reinterpret_cast<const char*>(b.Row(0)),
                     static_cast<size_t>(b.Stride()) * b.Height());
}

inline void WriteRawPixels(const Bitmap& b, const std::string& path) {
  std::ofstream(path, std::ios::binary) << RawPixels(b);
}

inline std::string ReadRawPixels(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace vx::test
