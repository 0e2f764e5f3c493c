#include "picture/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "picture/label_font.h"

namespace vx {
namespace {

// Cairo keeps coordinates in 24.8 fixed point: everything handed to it stays well inside.
constexpr int kReach = 1 << 22;
// A band's surface stays below this many pixels (4 bytes each).
constexpr std::int64_t kMaxBandPixels = std::int64_t{1} << 26;

// Leaves the run's font set.
double Advance(cairo_t* cr, const LabelRun& run) {
  UseLabelFont(cr, run.face);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, run.text.c_str(), &extents);
  return extents.x_advance;
}

std::uint32_t* PixelAt(cairo_surface_t* surface, int x, int y) {
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                          static_cast<size_t>(y) *
                                              cairo_image_surface_get_stride(surface)) +
         x;
}

}  // namespace

Canvas::Canvas(Bitmap& target) : Canvas(target, {0, 0, target.Width(), target.Height()}) {}

Canvas::Canvas(Bitmap& target, const Rect& window) : target_(target), window_(window) {}

// The surface is made, and the picture copied into it, only when something is drawn: a canvas
// whose every pointer is hidden costs nothing.
cairo_t* Canvas::Cr() {
  if (cr_) return cr_;
  if (window_.Width() > kMaxCanvasSide || window_.Height() > kMaxCanvasSide)
    throw std::runtime_error("Picture too large");
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, window_.Width(), window_.Height());
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    throw std::runtime_error("Picture too large");
  }
  cairo_surface_flush(surface_);
  for (int y = 0; y < window_.Height(); ++y) {
    const std::uint8_t* in = target_.Row(window_.top + y) + window_.left * 3;
    std::uint32_t* out = PixelAt(surface_, 0, y);
    for (int x = 0; x < window_.Width(); ++x, in += 3)
      out[x] = in[0] | (in[1] << 8) | (in[2] << 16);
  }
  cairo_surface_mark_dirty(surface_);
  Recover();
  return cr_;
}

void Canvas::Recover() {
  if (cr_) cairo_destroy(cr_);
  cr_ = cairo_create(surface_);
  cairo_translate(cr_, -window_.left, -window_.top);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr_, 1.0);
}

Canvas::~Canvas() {
  if (!cr_) return;
  cairo_destroy(cr_);
  cairo_surface_flush(surface_);
  for (int y = 0; y < window_.Height(); ++y) {
    const std::uint32_t* in = PixelAt(surface_, 0, y);
    std::uint8_t* out = target_.Row(window_.top + y) + window_.left * 3;
    for (int x = 0; x < window_.Width(); ++x, out += 3) {
      out[0] = static_cast<std::uint8_t>(in[x]);
      out[1] = static_cast<std::uint8_t>(in[x] >> 8);
      out[2] = static_cast<std::uint8_t>(in[x] >> 16);
    }
  }
  cairo_surface_destroy(surface_);
}

// A rectangle cut to the window with a margin wider than any outline or rounded corner: what
// shows is the same, and Cairo never sees a coordinate beyond its range.
Rect Canvas::Reachable(const Rect& rect) const {
  constexpr int kMargin = 8;
  return {std::max(rect.left, window_.left - kMargin), std::max(rect.top, window_.top - kMargin),
          std::min(rect.right, window_.right + kMargin),
          std::min(rect.bottom, window_.bottom + kMargin)};
}

void Canvas::SetColor(Color color) {
  cairo_set_source_rgb(Cr(), (color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                       ((color >> 16) & 0xFF) / 255.0);
}

void Canvas::Rectangle(const Rect& whole, Color pen, Color brush) {
  if (whole.Width() <= 0 || whole.Height() <= 0) return;
  const Rect rect = Reachable(whole);
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  SetColor(brush);
  cairo_rectangle(Cr(), rect.left, rect.top, rect.Width(), rect.Height());
  cairo_fill(Cr());
  SetColor(pen);
  // The pen runs through the centres of the outermost pixels.
  cairo_rectangle(Cr(), rect.left + 0.5, rect.top + 0.5, rect.Width() - 1, rect.Height() - 1);
  cairo_stroke(Cr());
  if (cairo_status(Cr()) != CAIRO_STATUS_SUCCESS) Recover();
}

void Canvas::RoundRect(const Rect& whole, Color pen, Color brush) {
  if (whole.Width() <= 0 || whole.Height() <= 0) return;
  const Rect rect = Reachable(whole);
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  const double left = rect.left + 0.5, top = rect.top + 0.5;
  const double right = rect.right - 0.5, bottom = rect.bottom - 0.5;
  const double r = std::min({2.5, (right - left) / 2, (bottom - top) / 2});
  cairo_new_path(Cr());
  cairo_arc(Cr(), right - r, top + r, r, -M_PI / 2, 0);
  cairo_arc(Cr(), right - r, bottom - r, r, 0, M_PI / 2);
  cairo_arc(Cr(), left + r, bottom - r, r, M_PI / 2, M_PI);
  cairo_arc(Cr(), left + r, top + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(Cr());
  SetColor(brush);
  cairo_fill_preserve(Cr());
  SetColor(pen);
  cairo_stroke(Cr());
  if (cairo_status(Cr()) != CAIRO_STATUS_SUCCESS) Recover();
}

void Canvas::Polygon(const std::vector<Point>& points, Color pen, Color brush) {
  if (points.empty()) return;
  cairo_new_path(Cr());
  // Vertices far outside move closer along their axis; the edges that show keep their slope
  // since every shape's slanted edges are short.
  for (const Point& p : points) {
    cairo_line_to(Cr(), std::clamp(p.x, window_.left - kReach, window_.right + kReach) + 0.5,
                  std::clamp(p.y, window_.top - kReach, window_.bottom + kReach) + 0.5);
  }
  cairo_close_path(Cr());
  SetColor(brush);
  cairo_fill_preserve(Cr());
  SetColor(pen);
  cairo_stroke(Cr());
  if (cairo_status(Cr()) != CAIRO_STATUS_SUCCESS) Recover();
}

void Canvas::Line(Point from, Point to, Color pen) {
  // Bresenham straight into the surface: exact pixels, and the end point left out.
  Cr();
  cairo_surface_flush(surface_);
  const std::uint32_t value = (pen & 0xFF) << 16 | (pen & 0xFF00) | ((pen >> 16) & 0xFF);
  const int dx = std::abs(to.x - from.x), sx = from.x < to.x ? 1 : -1;
  const int dy = -std::abs(to.y - from.y), sy = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  for (Point p = from; !(p == to);) {
    if (p.x >= window_.left && p.y >= window_.top && p.x < window_.right && p.y < window_.bottom)
      *PixelAt(surface_, p.x - window_.left, p.y - window_.top) = value;
    const int e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      p.x += sx;
    }
    if (e2 <= dx) {
      error += dx;
      p.y += sy;
    }
  }
  cairo_surface_mark_dirty(surface_);
}

void Canvas::Ellipse(const Rect& rect, Color pen, int penWidth, std::optional<Color> brush) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  cairo_new_path(Cr());
  cairo_save(Cr());
  cairo_translate(Cr(), rect.left + rect.Width() / 2.0, rect.top + rect.Height() / 2.0);
  cairo_scale(Cr(), rect.Width() / 2.0, rect.Height() / 2.0);
  cairo_arc(Cr(), 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(Cr());
  if (brush) {
    SetColor(*brush);
    cairo_fill_preserve(Cr());
  }
  SetColor(pen);
  cairo_set_line_width(Cr(), penWidth);
  cairo_stroke(Cr());
  cairo_set_line_width(Cr(), 1.0);
  if (cairo_status(Cr()) != CAIRO_STATUS_SUCCESS) Recover();
}

Size Canvas::MeasureText(std::string_view text) const {
  if (fixedMetrics_) return *fixedMetrics_;
  auto lock = LockLabelFont();
  // Measuring needs no picture: a context on a one-pixel surface of its own.
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  UseLabelFont(cr);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  double width = 0;
  for (const LabelRun& run : LabelRuns(text)) width += Advance(cr, run);
  const bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  if (!ok) return {0, 0};
  // Clamped before becoming integers: a label of millions of letters stays a number.
  const auto pixels = [](double value) {
    return static_cast<int>(std::lround(std::clamp(value, 0.0, double{kReach})));
  };
  return {pixels(width), pixels(font.ascent + font.descent)};
}

void Canvas::Text(int x, int y, std::string_view text, Color textColor, Color brush) {
  const Size size = MeasureText(text);
  // Nothing of it shows: Cairo is not asked to place glyphs beyond its range.
  if (x >= window_.right || y >= window_.bottom || x + size.width <= window_.left ||
      y + size.height <= window_.top) {
    return;
  }
  SetColor(brush);
  cairo_rectangle(Cr(), x, y, size.width, size.height);
  cairo_fill(Cr());
  {
    auto lock = LockLabelFont();
    cairo_save(Cr());
    UseLabelFont(Cr());
    cairo_font_extents_t font;
    cairo_font_extents(Cr(), &font);
    const double baseline = y + std::lround(font.ascent);
    SetColor(textColor);
    // Each run starts where the one before it ends, as measured.
    double left = x;
    for (const LabelRun& run : LabelRuns(text)) {
      cairo_move_to(Cr(), left, baseline);
      left += Advance(Cr(), run);
      cairo_show_text(Cr(), run.text.c_str());
    }
    cairo_new_path(Cr());  // show_text leaves a current point behind
    cairo_restore(Cr());
  }
  if (cairo_status(Cr()) != CAIRO_STATUS_SUCCESS) Recover();
  // Smoothed glyph edges could blend two dark colours into pure black, the transparent
  // colour: lift those pixels like every other drawn black.
  cairo_surface_flush(surface_);
  for (int py = std::max(y, window_.top); py < std::min(y + size.height, window_.bottom); ++py) {
    for (int px = std::max(x, window_.left); px < std::min(x + size.width, window_.right); ++px) {
      std::uint32_t* p = PixelAt(surface_, px - window_.left, py - window_.top);
      if ((*p & 0xFFFFFF) == 0) *p = 0x010101;
    }
  }
  cairo_surface_mark_dirty(surface_);
}

void DrawInBands(Bitmap& target, const std::function<void(Canvas&)>& draw) {
  const int width = target.Width(), height = target.Height();
  if (width <= 0 || height <= 0) return;
  const int columns = (width + kMaxCanvasSide - 1) / kMaxCanvasSide;
  const int bandWidth = (width + columns - 1) / columns;
  const int bandHeight =
      static_cast<int>(std::clamp<std::int64_t>(kMaxBandPixels / bandWidth, 1, kMaxCanvasSide));
  for (int top = 0; top < height; top += bandHeight) {
    for (int left = 0; left < width; left += bandWidth) {
      Canvas canvas(target, {left, top, std::min(left + bandWidth, width),
                             std::min(top + bandHeight, height)});
      draw(canvas);
    }
  }
}

}  // namespace vx
