#include "ui/draw_bitmap.h"

#include <FL/fl_draw.H>

namespace vx::ui {

void DrawBitmap(const Bitmap& bitmap, int x, int y) {
  if (bitmap.Empty()) return;
  // FLTK takes red, green, blue; bitmaps hold blue, green, red: converted a row at a time.
  fl_draw_image(
      [](void* data, int px, int py, int width, unsigned char* out) {
        const std::uint8_t* in = static_cast<const Bitmap*>(data)->Row(py) + px * 3;
        for (int i = 0; i < width; ++i, in += 3, out += 3) {
          out[0] = in[2];
          out[1] = in[1];
          out[2] = in[0];
        }
      },
      const_cast<Bitmap*>(&bitmap), x, y, bitmap.Width(), bitmap.Height(), 3);
}

}  // namespace vx::ui
