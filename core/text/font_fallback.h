// Finding a font on this machine for a character the program's own font lacks.
#pragma once

#include <fontconfig/fontconfig.h>

#include <mutex>
#include <string>
#include <unordered_map>

namespace vx {

class FontFallback {
 public:
  // pattern: a fontconfig name such as "sans-serif" or "DejaVu Sans:bold"; the candidates
  // are the machine's fonts in fontconfig's order of fitness to it. Colour fonts are left out
  // unless allowColour.
  explicit FontFallback(std::string pattern, bool allowColour = true);
  ~FontFallback();
  FontFallback(const FontFallback&) = delete;
  FontFallback& operator=(const FontFallback&) = delete;

  // The first candidate that has the character, or nullptr; the pattern (with FC_FILE and
  // FC_INDEX) lives as long as this object. Costs a fontconfig search the first time only,
  // then a table look-up per character.
  FcPattern* FontFor(char32_t code);

 private:
  void Load();
  std::string pattern_;
  bool allowColour_;
  bool loaded_ = false;
  FcFontSet* fonts_ = nullptr;
  std::unordered_map<char32_t, FcPattern*> chosen_;
  std::mutex lock_;
};

}  // namespace vx
