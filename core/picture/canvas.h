// Drawing into a Bitmap without a display: Cairo image surfaces with antialiasing off for
// shapes, so extents follow the raster conventions exactly, and text from the font compiled
// into the program (the machine's fonts only for characters it lacks).
#pragma once

#include <cairo.h>

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace vx {

// The largest side one canvas holds.
inline constexpr int kMaxCanvasSide = 32767;

class Canvas {
 public:
  // The bitmap's pixels are copied in at the first drawing and written back when the canvas
  // goes away. Fails with "Picture too large" past kMaxCanvasSide (DrawInBands serves those).
  explicit Canvas(Bitmap& target);
  // Only the window's pixels are drawn; coordinates stay those of the whole bitmap.
  Canvas(Bitmap& target, const Rect& window);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // The whole bitmap's size, also for a canvas on a window of it.
  Size Extent() const { return {target_.Width(), target_.Height()}; }

  // (x1, y1, x2, y2) covers x1 .. x2 - 1 and y1 .. y2 - 1: filled with the brush, outlined
  // with a one-pixel pen.
  void Rectangle(const Rect& rect, Color pen, Color brush);
  // The same with corners rounded by a 5 x 5 ellipse.
  void RoundRect(const Rect& rect, Color pen, Color brush);
  void Polygon(const std::vector<Point>& points, Color pen, Color brush);
  // Without its end point.
  void Line(Point from, Point to, Color pen);
  // An ellipse inside the rectangle, outlined with a pen of the given width; filled when a
  // brush is given.
  void Ellipse(const Rect& rect, Color pen, int penWidth,
               std::optional<Color> brush = std::nullopt);

  // 8 points at 96 dpi; the height is the font's ascent plus descent. Bytes that are not
  // UTF-8 are measured and drawn as U+FFFD.
  Size MeasureText(std::string_view text) const;
  // Top-left corner at (x, y), on an opaque background of the brush colour.
  void Text(int x, int y, std::string_view text, Color textColor, Color brush);

  // Tests fix every label's size to check geometry pixel by pixel.
  void SetFixedTextMetrics(Size size) { fixedMetrics_ = size; }

 private:
  void SetColor(Color color);
  cairo_t* Cr();
  // A drawing that failed inside Cairo leaves its context unusable: start a fresh one, so
  // the next drawing still shows.
  void Recover();
  Rect Reachable(const Rect& rect) const;
  Bitmap& target_;
  Rect window_;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  std::optional<Size> fixedMetrics_;
};

// Runs draw once per band of the bitmap, each band a canvas of its own no larger than one
// canvas holds: a picture of any size gets everything drawn.
void DrawInBands(Bitmap& target, const std::function<void(Canvas&)>& draw);

}  // namespace vx
