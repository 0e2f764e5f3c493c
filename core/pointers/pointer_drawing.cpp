#include "pointers/pointer_drawing.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "pointers/pointer_record.h"

namespace vx {
namespace {

constexpr Color kShadow = 0x020202;

// A label with line breaks is as wide as its widest line and as high as its lines.
Size MeasureLabel(const Canvas& canvas, const std::vector<std::string>& lines) {
  if (lines.size() == 1) return canvas.MeasureText(lines[0]);
  Size size{0, canvas.MeasureText("A").height * static_cast<int>(lines.size())};
  for (const std::string& line : lines)
    size.width = std::max(size.width, canvas.MeasureText(line).width);
  return size;
}

}  // namespace

std::vector<std::string> SplitLabelLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find_first_of("\r\n", start);
    lines.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return lines;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

std::string OneLine(std::string_view text) {
  const std::vector<std::string> parts = SplitLabelLines(text);
  std::string line = parts.front();
  for (size_t k = 1; k < parts.size(); ++k) line += " " + parts[k];
  return line;
}

void DrawPointers(const TKelPigger& pointers, Canvas& canvas, const PointerFilter& filter) {
  const Size extent = canvas.Extent();
  DrawPointersInRect(pointers, canvas, 0, {0, 0, extent.width, extent.height}, 0, filter);
}

void DrawPointersOnPicture(const TKelPigger& pointers, Bitmap& picture,
                           const PointerFilter& filter) {
  DrawInBands(picture, [&](Canvas& canvas) { DrawPointers(pointers, canvas, filter); });
}

void DrawPointersInRect(const TKelPigger& pointers, Canvas& canvas, int xo, const Rect& target,
                        int yo, const PointerFilter& filter) {
  const double W = target.Width(), H = target.Height();
  for (int i = 0; i < pointers.ChildCount(); ++i) {
    const TKelPigger& element = *pointers.Child(i);
    if (!PointerKindOf(element.Name) || (filter && !filter(element))) continue;
    try {
      const PointerRecord record = ReadPointerRecord(element);
      const std::string label = " " + record.label + " ";
      const int x = xo + FractionToPixels(record.anchorX, W);
      const int y = yo + FractionToPixels(record.anchorY, H);
      const PointerColors colors{Drawable(record.text), Drawable(record.pen),
                                 Drawable(record.brush)};
      switch (record.kind) {
        case PointerKind::Arrow:
          DrawArrowShape(canvas, label, x, y, record.leftToRight, colors);
          break;
        case PointerKind::Area:
          DrawAreaShape(canvas, label, x, y, FractionToPixels(record.areaWidth, W),
                        FractionToPixels(record.areaHeight, H), colors);
          break;
        case PointerKind::Cloud:
          DrawCloudAt(canvas, label, x, y, record.leftToRight, record.bottomToTop, colors);
          break;
      }
    } catch (const std::exception&) {
      // A record that cannot be read is not shown; the others still are.
    }
  }
}

void DrawArrowShape(Canvas& canvas, std::string_view text, int x, int y, bool leftToRight,
                    const PointerColors& colors) {
  const std::string label = OneLine(text);
  const int d = leftToRight ? -1 : 1;
  const Size size = canvas.MeasureText(label);
  const int tw = size.width, th = size.height;
  const int k = 2 * RoundHalfEven(th / std::sqrt(2.0)) + th / 2 + 2;
  const int yt = y + th - k;
  const int head = 2 * th * d;
  const int tail = (2 * th + tw + 5) * d;
  canvas.Polygon({{x, y},
                  {x + head, y + 2 * th},
                  {x + head, y + th},
                  {x + tail, y + th},
                  {x + tail, yt},
                  {x + head, yt},
                  {x + head, yt - th}},
                 colors.pen, colors.brush);
  const int textX = leftToRight ? x + head - tw : x + 2 * th;
  canvas.Text(textX, yt + th - th / 2, label, colors.text, colors.brush);
}

void DrawAreaShape(Canvas& canvas, std::string_view text, int x, int y, int w, int h,
                   const PointerColors& colors) {
  const std::string label = OneLine(text);
  canvas.Rectangle({x + 4, y + 4, x + w, y + h}, kShadow, kShadow);
  canvas.Rectangle({x, y, x + w - 4, y + h - 4}, colors.pen, colors.brush);
  const Size size = canvas.MeasureText(label);
  canvas.Text(x + (w - size.width) / 2, y + (h - size.height) / 2, label, colors.text,
              colors.brush);
}

void DrawCloudAt(Canvas& canvas, std::string_view label, int x, int y, bool leftToRight,
                 bool bottomToTop, const PointerColors& colors) {
  const std::vector<std::string> lines = SplitLabelLines(label);
  const Size size = MeasureLabel(canvas, lines);
  const int cw = size.width + 10, ch = size.height + 20;
  const int left = leftToRight ? x - cw + 10 : x - 10;
  const int top = bottomToTop ? y : y - ch;
  DrawCloudShape(canvas, lines, {left, top, left + cw, top + ch}, leftToRight, bottomToTop, colors);
}

void DrawCloudShape(Canvas& canvas, const std::vector<std::string>& lines, const Rect& rect,
                    bool leftToRight, bool bottomToTop, const PointerColors& colors) {
  const int dx = leftToRight ? -1 : 1;
  const int dy = bottomToTop ? -1 : 1;
  const Rect body = bottomToTop ? Rect{rect.left, rect.top + 10, rect.right, rect.bottom}
                                : Rect{rect.left, rect.top, rect.right, rect.bottom - 10};
  canvas.RoundRect(body, colors.pen, colors.brush);
  const int e = bottomToTop ? rect.top + 10 : rect.bottom - 11;
  const int tx = leftToRight ? rect.right - 10 : rect.left + 10;
  const int ty = bottomToTop ? rect.top : rect.bottom;
  // Outlined in the brush colour, so that the tail covers the body's outline where it joins.
  canvas.Polygon({{tx + 10 * dx, e}, {tx, e}, {tx, ty}}, colors.brush, colors.brush);
  canvas.Line({tx, ty}, {tx + 11 * dx, ty - 11 * dy}, colors.pen);
  canvas.Line({tx, ty}, {tx, ty - 11 * dy}, colors.pen);
  const int lineHeight = canvas.MeasureText("A").height;
  const int textTop = rect.top + (bottomToTop ? 15 : 5);
  for (size_t i = 0; i < lines.size(); ++i) {
    canvas.Text(rect.left + 5, textTop + static_cast<int>(i) * lineHeight, lines[i], colors.text,
                colors.brush);
  }
}

}  // namespace vx
