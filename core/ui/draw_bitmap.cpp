#include "ui/draw_bitmap.h"

#include <FL/fl_draw.H>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ui_scale.h"

namespace vx::ui {
namespace {

constexpr Fl_Color kMissingBox = 0x40404000;

void ToRgb(const std::uint8_t* in, int width, unsigned char* out) {
  for (int i = 0; i < width; ++i, in += 3, out += 3) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
  }
}

// The runs [begin, end) of a row whose pixels are not the key colour.
using Runs = std::vector<std::pair<int, int>>;

Runs RunsOf(const Bitmap& bitmap, int y, Color key) {
  Runs runs;
  const std::uint8_t* row = bitmap.Row(y);
  const std::uint8_t b = (key >> 16) & 0xFF, g = (key >> 8) & 0xFF, r = key & 0xFF;
  int start = -1;
  for (int x = 0; x < bitmap.Width(); ++x, row += 3) {
    const bool keyed = row[0] == b && row[1] == g && row[2] == r;
    if (!keyed && start < 0) start = x;
    if (keyed && start >= 0) {
      runs.emplace_back(start, x);
      start = -1;
    }
  }
  if (start >= 0) runs.emplace_back(start, bitmap.Width());
  return runs;
}

}  // namespace

void DrawBitmap(const Bitmap& bitmap, int x, int y) {
  if (bitmap.Empty()) return;
  // FLTK takes red, green, blue; bitmaps hold blue, green, red: converted a row at a time,
  // and FLTK asks only for the rows and columns inside its clip.
  fl_draw_image(
      [](void* data, int px, int py, int width, unsigned char* out) {
        ToRgb(static_cast<const Bitmap*>(data)->Row(py) + px * 3, width, out);
      },
      const_cast<Bitmap*>(&bitmap), x, y, bitmap.Width(), bitmap.Height(), 3);
}

void DrawMissingPicture(int x, int y, int w, int h, const char* text) {
  fl_rectf(x, y, w, h, kMissingBox);
  fl_color(FL_WHITE);
  fl_font(FL_HELVETICA, std::max(8, std::min(Scaled(14), h / 3)));
  fl_push_clip(x, y, w, h);
  fl_draw(text, x + 2, y, w - 4, h, FL_ALIGN_CENTER | FL_ALIGN_WRAP | FL_ALIGN_INSIDE);
  fl_pop_clip();
}

void DrawBitmapExcept(const Bitmap& bitmap, int x, int y, Color key) {
  if (bitmap.Empty()) return;
  std::vector<unsigned char> rgb(static_cast<size_t>(bitmap.Width()) * bitmap.Height() * 3);
  for (int row = 0; row < bitmap.Height(); ++row)
    ToRgb(bitmap.Row(row), bitmap.Width(), &rgb[static_cast<size_t>(row) * bitmap.Width() * 3]);
  // Rows with the same runs go out as one block per run: a box is a few calls, not a call
  // per row.
  int top = 0;
  Runs runs = RunsOf(bitmap, 0, key);
  for (int row = 1; row <= bitmap.Height(); ++row) {
    Runs next = row < bitmap.Height() ? RunsOf(bitmap, row, key) : Runs{};
    if (row < bitmap.Height() && next == runs) continue;
    for (const auto& [begin, end] : runs) {
      fl_draw_image(&rgb[(static_cast<size_t>(top) * bitmap.Width() + begin) * 3], x + begin,
                    y + top, end - begin, row - top, 3, bitmap.Width() * 3);
    }
    runs = std::move(next);
    top = row;
  }
}

}  // namespace vx::ui
