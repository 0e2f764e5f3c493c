// Restoring protected areas from hostile blocks never hurts: arbitrary bytes are used as the
// inflated area picture and as the block itself.
#include <cstdint>
#include <string>

#include "blocks/data_blocks.h"
#include "protection/protected_areas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static vx::TKelPigger* frame = [] {
    auto* node = new vx::TKelPigger;
    node->LoadFromText(
        "<FRAME><PNTRS><PRAR OBJ_ID=A XR=0.2 YR=0.2 RFW=0.5 RFH=0.5/></PNTRS></FRAME>");
    return node;
  }();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string packed = vx::CompressToString(bytes);
  for (const std::string* block : {&bytes, &packed}) {
    vx::Bitmap picture(16, 12);
    vx::RestoreAreas(picture, *frame, "pw",
                     [&](std::string_view) { return std::string_view(*block); });
  }
  return 0;
}
