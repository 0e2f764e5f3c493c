// Inflating arbitrary bytes either fails cleanly or stays within the limit.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "blocks/data_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kLimit = 1 << 20;
  try {
    if (vx::DecompressToStream({reinterpret_cast<const char*>(data), size}, kLimit).size() >
        kLimit) {
      std::abort();
    }
  } catch (const std::runtime_error&) {
  }
  return 0;
}
