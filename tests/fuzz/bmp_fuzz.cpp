// The BMP reader fails cleanly on any bytes, and what it reads writes back the same.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "picture/bmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const vx::Bitmap bitmap = vx::DecodeBmp({reinterpret_cast<const char*>(data), size});
    if (!(vx::DecodeBmp(vx::EncodeBmp(bitmap)) == bitmap)) std::abort();
  } catch (const std::runtime_error&) {
  }
  return 0;
}
