// JPEG decoding and encoding through libjpeg. A broken or hostile file is an error for the
// caller, never the end of the program.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace vx {

bool LooksLikeJpeg(std::string_view bytes);

// Full size, or a quarter of width and height (decoded so, not resampled afterwards).
enum class JpegScale { Full, Quarter };
// Fails with libjpeg's message. Damage that libjpeg only warns about (stray bytes, a
// premature end) gives the picture as libjpeg decodes it, as every picture viewer shows it;
// CMYK, YCCK and greyscale files come out in colour.
Bitmap DecodeJpeg(std::string_view bytes, JpegScale scale = JpegScale::Full);
// For a picture fitted into box: decoded at the smallest of libjpeg's scalings (an eighth, a
// quarter, a half of width and height, or full) that still covers the fitted size, so a
// thumbnail never decodes every pixel of a camera's picture.
Bitmap DecodeJpegForBox(std::string_view bytes, Size box);
// The same, failing on any damage libjpeg would only warn about as well.
Bitmap DecodeJpegIntactForBox(std::string_view bytes, Size box);

// A complete baseline colour JPEG file at the quality (1 to 100), or nothing on failure.
std::optional<std::string> EncodeJpeg(const Bitmap& bitmap, int quality);
// The same, failing when the file would pass maxBytes (EncodeJpeg allows kMaxJpegBytes).
inline constexpr size_t kMaxJpegBytes = size_t{1} << 30;
std::optional<std::string> EncodeJpegWithin(const Bitmap& bitmap, int quality, size_t maxBytes);

// Tries the quality, then 5 less each time, at most 17 attempts (never below 1); pump runs
// between attempts so a window stays responsive.
using JpegEncoder = std::function<std::optional<std::string>(const Bitmap&, int quality)>;
std::optional<std::string> EncodeJpegStepDown(const Bitmap& bitmap, int quality,
                                              const JpegEncoder& encode = EncodeJpeg,
                                              const std::function<void()>& pump = {});

}  // namespace vx
