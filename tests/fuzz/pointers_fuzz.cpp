// Pointers from any PNTRS text draw into a small bitmap without undefined behaviour, whole
// or at an offset into a smaller rectangle, and never leave pure black (the transparent
// colour) behind.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/kel_pigger.h"
#include "pointers/pointer_drawing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vx::TKelPigger pointers;
  try {
    pointers.LoadFromText(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const vx::EKelPiggerError&) {
    return 0;
  }
  vx::Bitmap bitmap(64, 48);
  bitmap.Fill(0xFFFFFF);
  {
    vx::Canvas canvas(bitmap);
    vx::DrawPointers(pointers, canvas);
    vx::DrawPointersInRect(pointers, canvas, -7, {3, 5, 20, 11}, 9);
  }
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Pixel(x, y) == 0) std::abort();
  return 0;
}
