#include "text/font_fallback.h"

namespace vx {

FontFallback::FontFallback(std::string pattern, bool allowColour)
    : pattern_(std::move(pattern)), allowColour_(allowColour) {}

FontFallback::~FontFallback() {
  if (fonts_) FcFontSetDestroy(fonts_);
}

// Only when a character is missing from the program's font: a text in one script never pays
// for fontconfig.
void FontFallback::Load() {
  loaded_ = true;
  if (!FcInit()) return;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(pattern_.c_str()));
  if (!pattern) return;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcFontSet* sorted = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
  if (sorted) {
    // Each candidate completed as a match for the pattern, so it carries file and index.
    fonts_ = FcFontSetCreate();
    for (int i = 0; i < sorted->nfont; ++i) {
      FcBool colour = FcFalse;
      if (!allowColour_ &&
          FcPatternGetBool(sorted->fonts[i], FC_COLOR, 0, &colour) == FcResultMatch && colour)
        continue;
      if (FcPattern* font = FcFontRenderPrepare(nullptr, pattern, sorted->fonts[i]))
        FcFontSetAdd(fonts_, font);
    }
    FcFontSetDestroy(sorted);
  }
  FcPatternDestroy(pattern);
}

FcPattern* FontFallback::FontFor(char32_t code) {
  std::lock_guard<std::mutex> guard(lock_);
  if (auto known = chosen_.find(code); known != chosen_.end()) return known->second;
  if (!loaded_) Load();
  FcPattern* found = nullptr;
  for (int i = 0; fonts_ && i < fonts_->nfont && !found; ++i) {
    FcCharSet* characters = nullptr;
    if (FcPatternGetCharSet(fonts_->fonts[i], FC_CHARSET, 0, &characters) == FcResultMatch &&
        FcCharSetHasChar(characters, code))
      found = fonts_->fonts[i];
  }
  chosen_[code] = found;
  return found;
}

}  // namespace vx
