// The block index answers exactly as the plain first-occurrence search, for names taken
// from the image itself and for a few fixed ones.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "blocks/data_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  const vx::BlockIndex index(image);
  auto check = [&](std::string_view name) {
    if (index.Find(name) != vx::FindBlockNaive(image, name)) std::abort();
  };
  for (std::string_view name : {"", "A", "PIG_TXT", "pig_txt"}) check(name);
  // Names that follow every "O!#" in the image, of a few lengths.
  for (size_t at = image.find("O!#"); at != std::string_view::npos;
       at = image.find("O!#", at + 1)) {
    for (size_t length : {1, 2, 5, 70}) check(image.substr(at + 3, length));
  }
  for (const auto& entry : index.List()) {
    if (index.Find(entry.name) != image.substr(entry.offset, entry.size)) std::abort();
  }
  return 0;
}
