// Any text either fails to parse cleanly or, once written, reads and writes back unchanged.
// (The first write may drop nameless elements and blanks around texts, so compare from there.)
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
  if (written.empty()) return 0;
  vx::TKelPigger again;
  again.LoadFromText(written);
  const std::string rewritten = again.SaveToText();
  vx::TKelPigger third;
  third.LoadFromText(rewritten);
  if (third.SaveToText() != rewritten) std::abort();
  return 0;
}
