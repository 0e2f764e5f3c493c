// Sealed area blocks from hostile archives never hurt: arbitrary bytes as the block itself,
// and sealed with the right key (as a doctored archive whose maker knew the password could)
// both raw and compressed, so the inflating and BMP reading behind the seal are reached too.
#include <cstdint>
#include <string>

#include "blocks/data_blocks.h"
#include "protection/protected_areas.h"
#include "protection/sealed_area.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static vx::TKelPigger* frame = [] {
    auto* node = new vx::TKelPigger;
    node->LoadFromText(
        "<FRAME FRAME_ID=F><PNTRS><PRAR OBJ_ID=A XR=0.2 YR=0.2 RFW=0.5 RFH=0.5/></PNTRS></FRAME>");
    return node;
  }();
  static const vx::SealKey key = [] {
    vx::SealKey fixed;
    for (size_t i = 0; i < vx::kKeyBytes; ++i) fixed.Data()[i] = static_cast<unsigned char>(i);
    return fixed;
  }();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string blocks[] = {bytes, vx::SealArea(bytes, key, "F", "A"),
                                vx::SealArea(vx::CompressToString(bytes), key, "F", "A")};
  for (const std::string& block : blocks) {
    vx::Bitmap picture(16, 12);
    vx::RestoreAreas(picture, *frame, vx::AreaLock::Strong(key),
                     [&](std::string_view) { return std::string_view(block); });
  }
  return 0;
}
