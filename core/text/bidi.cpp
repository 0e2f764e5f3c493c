#include "text/bidi.h"

#include <fribidi/fribidi.h>

#include <algorithm>
#include <limits>

namespace vx {

std::u32string VisualOrder(std::u32string_view logical) {
  const bool rightToLeft = std::any_of(logical.begin(), logical.end(), [](char32_t c) {
    return c >= 0x590 && FRIBIDI_IS_RTL(fribidi_get_bidi_type(c));
  });
  if (!rightToLeft || logical.size() > std::numeric_limits<FriBidiStrIndex>::max())
    return std::u32string(logical);
  std::u32string visual(logical.size(), U'\0');
  FriBidiParType direction = FRIBIDI_PAR_ON;
  if (fribidi_log2vis(reinterpret_cast<const FriBidiChar*>(logical.data()),
                      static_cast<FriBidiStrIndex>(logical.size()), &direction,
                      reinterpret_cast<FriBidiChar*>(visual.data()), nullptr, nullptr,
                      nullptr) == 0) {
    return std::u32string(logical);
  }
  // Where two letters became one ligature, the second is left as a zero-width filler.
  std::erase(visual, U'\uFEFF');
  return visual;
}

}  // namespace vx
