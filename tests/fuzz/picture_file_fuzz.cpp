// Loading a source picture of any format fails cleanly on any bytes; the first byte picks
// the extension, so readers without a signature are reached too.
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "formats/picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const kExtensions[] = {"tga", "png", "gif",  "tif",
                                            "psd", "ppm", "webp", "bmp"};
  try {
    vx::LoadPictureBytes({reinterpret_cast<const char*>(data) + 1, size - 1},
                         kExtensions[data[0] % 8]);
  } catch (const std::runtime_error&) {
  }
  return 0;
}
