// Drawing pointers into bitmaps, the same in both programs.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/kel_pigger.h"
#include "picture/canvas.h"

namespace vx {

// Decides per record element whether it is drawn; an empty filter draws everything.
using PointerFilter = std::function<bool(const TKelPigger& element)>;

// Every pointer record of the PNTRS node scaled to the whole bitmap.
void DrawPointers(const TKelPigger& pointers, Canvas& canvas, const PointerFilter& filter = {});
// The same on a picture of any size: one larger than a canvas holds is drawn in bands.
void DrawPointersOnPicture(const TKelPigger& pointers, Bitmap& picture,
                           const PointerFilter& filter = {});
// Scaled to the size of target (its origin is not used: xo and yo are added instead). A
// record that cannot be read is skipped and the next one drawn; positions far off the
// picture are clamped.
void DrawPointersInRect(const TKelPigger& pointers, Canvas& canvas, int xo, const Rect& target,
                        int yo, const PointerFilter& filter = {});

// A label's lines, split at CR, LF or CR LF; an empty label is one empty line.
std::vector<std::string> SplitLabelLines(std::string_view text);
// One-line labels (arrows, areas) show a line break as a space, as a person who typed it on
// two lines would read it; CR LF counts once.
std::string OneLine(std::string_view text);

struct PointerColors {
  Color text, pen, brush;
};

void DrawArrowShape(Canvas& canvas, std::string_view label, int x, int y, bool leftToRight,
                    const PointerColors& colors);
void DrawAreaShape(Canvas& canvas, std::string_view label, int x, int y, int w, int h,
                   const PointerColors& colors);
void DrawCloudAt(Canvas& canvas, std::string_view label, int x, int y, bool leftToRight,
                 bool bottomToTop, const PointerColors& colors);
void DrawCloudShape(Canvas& canvas, const std::vector<std::string>& lines, const Rect& rect,
                    bool leftToRight, bool bottomToTop, const PointerColors& colors);

// Colour 0 is transparent in masked pictures; drawn black is 0x010101. Only the low 24 bits
// are a colour (a document may hold larger numbers).
inline Color Drawable(Color color) {
  color &= 0xFFFFFF;
  return color == 0 ? 0x010101 : color;
}

}  // namespace vx
