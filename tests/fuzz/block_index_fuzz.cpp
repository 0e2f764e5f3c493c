// The block index answers exactly as the plain first-occurrence search, for names taken
// from the image itself and for a few fixed ones, whether it scans the image or copies.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "blocks/data_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  const vx::BlockIndex index(image);
  // Scanned through a reader's copies, as an archive file is.
  const vx::BlockIndex copied(image, [&](size_t offset, char* into, size_t count) {
    image.copy(into, count, offset);
    return true;
  });
  auto check = [&](std::string_view name) {
    const std::string_view expected = vx::FindBlockNaive(image, name);
    if (index.Find(name) != expected || copied.Find(name) != expected) std::abort();
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
