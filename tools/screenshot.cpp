#include "screenshot.h"

#include <FL/Fl.H>
#include <FL/Fl_Device.H>
#include <FL/Fl_Image_Surface.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <cairo.h>

#include <chrono>
#include <memory>

namespace vx {
namespace {

// Pixels of depth bytes each, red first.
Bitmap FromRgb(const unsigned char* rgb, int w, int h, int depth) {
  Bitmap shot(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = rgb + (static_cast<size_t>(y) * w + x) * depth;
      shot.SetPixel(x, y, p[0] | (p[1] << 8) | (p[2] << 16));
    }
  }
  return shot;
}

}  // namespace

void SavePng(const Bitmap& bitmap, const std::string& path) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.Width(), bitmap.Height());
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    const std::uint8_t* in = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, in += 3) out[x] = in[0] | (in[1] << 8) | (in[2] << 16);
  }
  cairo_surface_mark_dirty(surface);
  cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
}

Bitmap CaptureWindow(Fl_Window& window) {
  // A window just shown may not be on the screen yet: let the server catch up.
  for (int i = 0; i < 10; ++i) Fl::wait(0.02);
  window.redraw();
  Fl::flush();
  window.make_current();
  const int w = window.w(), h = window.h();
  std::unique_ptr<unsigned char[]> rgb(fl_read_image(nullptr, 0, 0, w, h));
  return FromRgb(rgb.get(), w, h, 3);
}

Bitmap DrawWindow(Fl_Window& window) {
  Fl_Image_Surface surface(window.w(), window.h());
  surface.set_current();
  surface.draw(&window);
  std::unique_ptr<Fl_RGB_Image> image(surface.image());
  Fl_Display_Device::display_device()->set_current();
  return FromRgb(reinterpret_cast<const unsigned char*>(image->data()[0]), image->w(), image->h(),
                 image->d());
}

Bitmap DrawWidget(Fl_Window& window, Fl_Widget& widget) {
  window.make_current();
  Fl_Offscreen offscreen = fl_create_offscreen(window.w(), window.h());
  fl_begin_offscreen(offscreen);
  widget.damage(FL_DAMAGE_ALL);
  widget.draw();
  widget.clear_damage();
  std::unique_ptr<unsigned char[]> rgb(
      fl_read_image(nullptr, widget.x(), widget.y(), widget.w(), widget.h()));
  fl_end_offscreen();
  fl_delete_offscreen(offscreen);
  return FromRgb(rgb.get(), widget.w(), widget.h(), 3);
}

void SaveWindowPng(Fl_Window& window, const std::string& path) {
  SavePng(CaptureWindow(window), path);
}

bool WaitFor(const std::function<bool()>& done, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done() && std::chrono::steady_clock::now() < end) Fl::wait(0.02);
  return done();
}

}  // namespace vx
