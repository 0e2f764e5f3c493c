// The ICO reader fails cleanly on any bytes, and what it reads writes back and reads the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "picture/icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto pictures = vx::DecodeIcoImages(bytes);
  if (pictures.empty()) return 0;
  (void)vx::IconColourImage(bytes);
  // The writer keeps 32-bit pictures and writes transparent pixels black.
  for (vx::IconPicture& picture : pictures) {
    picture.bitCount = 32;
    for (std::uint32_t& pixel : picture.argb) pixel = (pixel >> 24) == 0 ? 0 : pixel;
  }
  if (vx::DecodeIcoImages(vx::EncodeIco(pictures)) != pictures) std::abort();
  return 0;
}
