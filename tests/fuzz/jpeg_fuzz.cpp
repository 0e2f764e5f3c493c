// JPEG decoding at both scales fails cleanly on any bytes.
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "picture/jpeg_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (vx::JpegScale scale : {vx::JpegScale::Full, vx::JpegScale::Quarter}) {
    try {
      vx::DecodeJpeg(bytes, scale);
    } catch (const std::runtime_error&) {
    }
  }
  return 0;
}
