// Reading a picture's EXIF values fails cleanly, or gives UTF-8 texts, on any bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/exif_fields.h"
#include "text/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto fields = vx::ExifFieldsOf({reinterpret_cast<const char*>(data), size});
  if (!fields) return 0;
  for (const vx::NamedValue& field : *fields) {
    if (vx::RepairUtf8(field.value) != field.value) std::abort();
  }
  return 0;
}
