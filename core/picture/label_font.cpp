#include "picture/label_font.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <stdexcept>

#include "text/bidi.h"
#include "text/font_fallback.h"
#include "text/utf8.h"

extern "C" const unsigned char vx_embedded_font_data[];
extern "C" const unsigned char vx_embedded_font_end[];

namespace vx {
namespace {

constexpr double kFontPixels = 8.0 * 96.0 / 72.0;  // 8 points at 96 dpi

struct LabelFonts {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  cairo_font_face_t* cairoFace = nullptr;
  cairo_font_options_t* options = nullptr;
  FontFallback fallback{"sans-serif"};
  // Machine fonts opened so far, by fontconfig's pattern; a font that cannot be opened is
  // kept as nullptr so it is tried once.
  std::map<FcPattern*, cairo_font_face_t*> opened;
  std::mutex lock;

  LabelFonts() {
    if (FT_Init_FreeType(&library) != 0 ||
        FT_New_Memory_Face(library, vx_embedded_font_data,
                           static_cast<FT_Long>(vx_embedded_font_end - vx_embedded_font_data), 0,
                           &face) != 0) {
      throw std::runtime_error("The label font cannot be loaded");
    }
    cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  }

  // The face that draws the character: ours when it has it, else the first machine font
  // that does, else ours (its box).
  cairo_font_face_t* FaceFor(char32_t code) {
    if (FT_Get_Char_Index(face, code) != 0) return cairoFace;
    FcPattern* pattern = fallback.FontFor(code);
    if (!pattern) return cairoFace;
    auto [it, added] = opened.try_emplace(pattern, nullptr);
    if (added) it->second = Open(pattern);
    return it->second ? it->second : cairoFace;
  }

  cairo_font_face_t* Open(FcPattern* pattern) {
    FcChar8* file = nullptr;
    int index = 0;
    FT_Face machineFace = nullptr;
    if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch ||
        FT_New_Face(library, reinterpret_cast<const char*>(file),
                    FcPatternGetInteger(pattern, FC_INDEX, 0, &index) == FcResultMatch ? index : 0,
                    &machineFace) != 0) {
      return nullptr;
    }
    // Colour glyphs (emoji) come as pictures.
    return cairo_ft_font_face_create_for_ft_face(machineFace, FT_LOAD_COLOR);
  }
};

LabelFonts& Fonts() {
  static LabelFonts fonts;
  return fonts;
}

}  // namespace

std::unique_lock<std::mutex> LockLabelFont() { return std::unique_lock<std::mutex>(Fonts().lock); }

std::vector<LabelRun> LabelRuns(std::string_view text) {
  LabelFonts& fonts = Fonts();
  if (std::all_of(text.begin(), text.end(), [](char c) { return c > 0 && c < 0x7F; }))
    return {{fonts.cairoFace, std::string(text)}};
  const std::u32string codes = VisualOrder(CodePointsFromUtf8(text));
  std::vector<LabelRun> runs;
  std::u32string piece;
  cairo_font_face_t* face = nullptr;
  for (const char32_t code : codes) {
    cairo_font_face_t* next = fonts.FaceFor(code);
    if (next != face && !piece.empty()) {
      runs.push_back({face, Utf8FromCodePoints(piece)});
      piece.clear();
    }
    face = next;
    piece += code;
  }
  if (!piece.empty()) runs.push_back({face, Utf8FromCodePoints(piece)});
  return runs;
}

void UseLabelFont(cairo_t* cr, cairo_font_face_t* face) {
  LabelFonts& fonts = Fonts();
  cairo_set_font_face(cr, face ? face : fonts.cairoFace);
  cairo_set_font_size(cr, kFontPixels);
  cairo_set_font_options(cr, fonts.options);
}

}  // namespace vx
