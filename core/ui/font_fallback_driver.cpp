// FL_INTERNALS: the Xft font the toolkit draws with now (fl_xftfont), so that coverage is
// that of the very font it picked.
#define FL_INTERNALS
#include "ui/font_fallback_driver.h"

#include <FL/Fl.H>
#include <FL/Fl_Device.H>
#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>
#include <FL/x.H>
#include <X11/Xft/Xft.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "text/font_fallback.h"

namespace vx::ui {
namespace {

// Older Xft ends the program with an X error on colour glyphs (emoji).
constexpr int kFirstXftWithColour = 20305;

// The fontconfig name of a toolkit font: its name is a style letter and a family.
std::string PatternName(Fl_Font font) {
  const char* name = Fl::get_font(font);
  if (!name || !*name || name[0] == '-') return "sans-serif";
  std::string pattern(name + 1);
  if (name[0] == 'B' || name[0] == 'P') pattern += ":bold";
  if (name[0] == 'I' || name[0] == 'P') pattern += ":italic";
  return pattern;
}

class FallbackDriver : public Fl_Xlib_Graphics_Driver {
 public:
  void draw(const char* str, int count, int x, int y) override {
    if (Plain(str, count)) return Fl_Xlib_Graphics_Driver::draw(str, count, x, y);
    double left = x;
    for (const Piece& piece : Pieces(str, count)) {
      if (piece.font) {
        DrawFallback(piece, static_cast<int>(left + 0.5), y);
      } else {
        Fl_Xlib_Graphics_Driver::draw(piece.start, piece.length, static_cast<int>(left + 0.5), y);
      }
      left += Width(piece);
    }
  }

  double width(const char* str, int count) override {
    if (Plain(str, count)) return Fl_Xlib_Graphics_Driver::width(str, count);
    double total = 0;
    for (const Piece& piece : Pieces(str, count)) total += Width(piece);
    return total;
  }

  double width(unsigned int c) override {
    XftFont* font = FontFor(c);
    if (!font) return Fl_Xlib_Graphics_Driver::width(c);
    char bytes[4];
    return Advance(font, bytes, fl_utf8encode(c, bytes));
  }

 private:
  // A piece of text drawn with one font; nullptr: the widget's own.
  struct Piece {
    const char* start;
    int length;
    XftFont* font;
  };

  // Text the widget font surely has: no fallback work at all.
  static bool Plain(const char* str, int count) {
    for (int i = 0; i < count; ++i) {
      if (static_cast<unsigned char>(str[i]) >= 0x80) return false;
    }
    return true;
  }

  std::vector<Piece> Pieces(const char* str, int count) {
    std::vector<Piece> pieces;
    const char* end = str + count;
    for (const char* at = str; at < end;) {
      int length = 1;
      const unsigned code = fl_utf8decode(at, end, &length);
      if (length < 1) length = 1;
      XftFont* font = FontFor(code);
      if (!pieces.empty() && pieces.back().font == font) {
        pieces.back().length += length;
      } else {
        pieces.push_back({at, length, font});
      }
      at += length;
    }
    return pieces;
  }

  double Width(const Piece& piece) {
    return piece.font ? Advance(piece.font, piece.start, piece.length)
                      : Fl_Xlib_Graphics_Driver::width(piece.start, piece.length);
  }

  static double Advance(XftFont* font, const char* str, int count) {
    XGlyphInfo info;
    XftTextExtentsUtf8(fl_display, font, reinterpret_cast<const FcChar8*>(str), count, &info);
    return info.xOff;
  }

  // The fallback font for a character the widget's font lacks, at the widget's size; nullptr
  // when the widget's font has it or no font has it (the toolkit draws its box then).
  XftFont* FontFor(unsigned code) {
    auto* current = static_cast<XftFont*>(fl_xftfont);
    if (!current || !fl_display || code < 0x20 ||
        XftCharExists(fl_display, current, static_cast<FcChar32>(code)))
      return nullptr;
    auto& fallback = fallbacks_[Fl_Graphics_Driver::font()];
    if (!fallback)
      fallback = std::make_unique<FontFallback>(PatternName(Fl_Graphics_Driver::font()), colour_);
    FcPattern* found = fallback->FontFor(static_cast<char32_t>(code));
    if (!found) return nullptr;
    auto [it, added] = opened_.try_emplace({found, size()}, nullptr);
    if (added) it->second = Open(found, size());
    return it->second;
  }

  static XftFont* Open(FcPattern* found, int pixels) {
    FcPattern* pattern = FcPatternDuplicate(found);
    FcPatternDel(pattern, FC_PIXEL_SIZE);
    FcPatternDel(pattern, FC_SIZE);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixels);
    XftFont* font = XftFontOpenPattern(fl_display, pattern);  // takes the pattern
    if (!font) FcPatternDestroy(pattern);
    return font;
  }

  // A drawing context per call: windows and their back buffers come and go, and one kept
  // for a drawable that is gone fails at its next use.
  void DrawFallback(const Piece& piece, int x, int y) {
    XftDraw* draw = XftDrawCreate(fl_display, fl_window, fl_visual->visual, fl_colormap);
    if (!draw) return;
    XftDrawSetClip(draw, fl_clip_region());
    uchar r, g, b;
    Fl::get_color(Fl_Graphics_Driver::color(), r, g, b);
    XftColor colour;
    colour.pixel = 0;
    colour.color = {static_cast<unsigned short>(r * 257), static_cast<unsigned short>(g * 257),
                    static_cast<unsigned short>(b * 257), 0xFFFF};
    XftDrawStringUtf8(draw, &colour, piece.font, x, y,
                      reinterpret_cast<const FcChar8*>(piece.start), piece.length);
    XftDrawDestroy(draw);
  }

  const bool colour_ = XftGetVersion() >= kFirstXftWithColour;
  std::map<Fl_Font, std::unique_ptr<FontFallback>> fallbacks_;
  std::map<std::pair<FcPattern*, int>, XftFont*> opened_;
};

}  // namespace

void UseFontFallback() {
  static FallbackDriver* driver = nullptr;
  if (driver) return;
  driver = new FallbackDriver;  // lives as long as the display
  Fl_Display_Device* display = Fl_Display_Device::display_device();
  Fl_Graphics_Driver* toolkit = display->driver();
  display->driver(driver);
  display->set_current();
  delete toolkit;  // the display held the only pointer to it
}

}  // namespace vx::ui
