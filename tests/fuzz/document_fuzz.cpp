// Any text either fails to parse cleanly or survives a write and a second read unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/kel_pigger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  vx::TKelPigger node;
  try {
    node.LoadFromText(text);
  } catch (const vx::EKelPiggerError&) {
    return 0;
  }
  const std::string written = node.SaveToText();
  vx::TKelPigger again;
  again.LoadFromText(written);
  if (again.SaveToText() != written) std::abort();
  return 0;
}
