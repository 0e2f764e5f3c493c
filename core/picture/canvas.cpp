#include "picture/canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <string>

extern "C" const unsigned char vx_embedded_font_data[];
extern "C" const unsigned char vx_embedded_font_end[];

namespace vx {
namespace {

constexpr double kFontPixels = 8.0 * 96.0 / 72.0;  // 8 points at 96 dpi

// One face for the whole program; FreeType faces are not thread-safe, so text work holds
// the lock.
struct EmbeddedFont {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  cairo_font_face_t* cairoFace = nullptr;
  cairo_font_options_t* options = nullptr;
  std::mutex lock;

  EmbeddedFont() {
    if (FT_Init_FreeType(&library) != 0 ||
        FT_New_Memory_Face(library, vx_embedded_font_data,
                           static_cast<FT_Long>(vx_embedded_font_end - vx_embedded_font_data), 0,
                           &face) != 0) {
      throw std::runtime_error("The label font cannot be loaded");
    }
    cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    // Fixed options, so that layout does not depend on the machine's settings.
    options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  }
};

EmbeddedFont& Font() {
  static EmbeddedFont font;
  return font;
}

void UseFont(cairo_t* cr) {
  EmbeddedFont& font = Font();
  cairo_set_font_face(cr, font.cairoFace);
  cairo_set_font_size(cr, kFontPixels);
  cairo_set_font_options(cr, font.options);
}

std::uint32_t* PixelAt(cairo_surface_t* surface, int x, int y) {
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                          static_cast<size_t>(y) *
                                              cairo_image_surface_get_stride(surface)) +
         x;
}

}  // namespace

Canvas::Canvas(Bitmap& target) : target_(target) {}

// The surface is made, and the picture copied into it, only when something is drawn: a canvas
// whose every pointer is hidden costs nothing.
cairo_t* Canvas::Cr() {
  if (cr_) return cr_;
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, target_.Width(), target_.Height());
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    throw std::runtime_error("Picture too large");
  }
  cairo_surface_flush(surface_);
  for (int y = 0; y < target_.Height(); ++y) {
    const std::uint8_t* in = target_.Row(y);
    std::uint32_t* out = PixelAt(surface_, 0, y);
    for (int x = 0; x < target_.Width(); ++x, in += 3)
      out[x] = in[0] | (in[1] << 8) | (in[2] << 16);
  }
  cairo_surface_mark_dirty(surface_);
  cr_ = cairo_create(surface_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr_, 1.0);
  return cr_;
}

Canvas::~Canvas() {
  if (!cr_) return;
  cairo_destroy(cr_);
  cairo_surface_flush(surface_);
  for (int y = 0; y < target_.Height(); ++y) {
    const std::uint32_t* in = PixelAt(surface_, 0, y);
    std::uint8_t* out = target_.Row(y);
    for (int x = 0; x < target_.Width(); ++x, out += 3) {
      out[0] = static_cast<std::uint8_t>(in[x]);
      out[1] = static_cast<std::uint8_t>(in[x] >> 8);
      out[2] = static_cast<std::uint8_t>(in[x] >> 16);
    }
  }
  cairo_surface_destroy(surface_);
}

void Canvas::SetColor(Color color) {
  cairo_set_source_rgb(Cr(), (color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                       ((color >> 16) & 0xFF) / 255.0);
}

void Canvas::Rectangle(const Rect& rect, Color pen, Color brush) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  SetColor(brush);
  cairo_rectangle(Cr(), rect.left, rect.top, rect.Width(), rect.Height());
  cairo_fill(Cr());
  SetColor(pen);
  // The pen runs through the centres of the outermost pixels.
  cairo_rectangle(Cr(), rect.left + 0.5, rect.top + 0.5, rect.Width() - 1, rect.Height() - 1);
  cairo_stroke(Cr());
}

void Canvas::RoundRect(const Rect& rect, Color pen, Color brush) {
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
}

void Canvas::Polygon(const std::vector<Point>& points, Color pen, Color brush) {
  if (points.empty()) return;
  cairo_new_path(Cr());
  for (const Point& p : points) cairo_line_to(Cr(), p.x + 0.5, p.y + 0.5);
  cairo_close_path(Cr());
  SetColor(brush);
  cairo_fill_preserve(Cr());
  SetColor(pen);
  cairo_stroke(Cr());
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
    if (p.x >= 0 && p.y >= 0 && p.x < target_.Width() && p.y < target_.Height())
      *PixelAt(surface_, p.x, p.y) = value;
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
}

Size Canvas::MeasureText(std::string_view text) const {
  if (fixedMetrics_) return *fixedMetrics_;
  std::lock_guard<std::mutex> guard(Font().lock);
  // Measuring needs no picture: a context on a one-pixel surface of its own.
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  UseFont(cr);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  cairo_text_extents_t extents;
  const std::string zeroTerminated(text);
  cairo_text_extents(cr, zeroTerminated.c_str(), &extents);
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  return {static_cast<int>(std::lround(extents.x_advance)),
          static_cast<int>(std::lround(font.ascent + font.descent))};
}

void Canvas::Text(int x, int y, std::string_view text, Color textColor, Color brush) {
  const Size size = MeasureText(text);
  SetColor(brush);
  cairo_rectangle(Cr(), x, y, size.width, size.height);
  cairo_fill(Cr());
  {
    std::lock_guard<std::mutex> guard(Font().lock);
    cairo_save(Cr());
    UseFont(Cr());
    cairo_font_extents_t font;
    cairo_font_extents(Cr(), &font);
    SetColor(textColor);
    cairo_move_to(Cr(), x, y + std::lround(font.ascent));
    const std::string zeroTerminated(text);
    cairo_show_text(Cr(), zeroTerminated.c_str());
    cairo_new_path(Cr());  // show_text leaves a current point behind
    cairo_restore(Cr());
  }
  // Smoothed glyph edges could blend two dark colours into pure black, the transparent
  // colour: lift those pixels like every other drawn black.
  cairo_surface_flush(surface_);
  for (int py = std::max(y, 0); py < std::min(y + size.height, target_.Height()); ++py) {
    for (int px = std::max(x, 0); px < std::min(x + size.width, target_.Width()); ++px) {
      std::uint32_t* p = PixelAt(surface_, px, py);
      if ((*p & 0xFFFFFF) == 0) *p = 0x010101;
    }
  }
  cairo_surface_mark_dirty(surface_);
}

}  // namespace vx
