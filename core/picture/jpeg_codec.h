// JPEG decoding and encoding through libjpeg. A broken or hostile file is an error for the
// caller, never the end of the program.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "picture/bitmap.h"

namespace vx {

bool LooksLikeJpeg(std::string_view bytes);

// Full size, or a quarter of width and height (decoded so, not resampled afterwards).
enum class JpegScale { Full, Quarter };
// Fails with libjpeg's message; corrupt data that libjpeg would only warn about counts as a
// failure too, so a truncated file is never shown half grey.
Bitmap DecodeJpeg(std::string_view bytes, JpegScale scale = JpegScale::Full);

// A complete baseline colour JPEG file at the quality (1 to 100), or nothing on failure.
std::optional<std::string> EncodeJpeg(const Bitmap& bitmap, int quality);

// Tries the quality, then 5 less each time, at most 17 attempts (never below 1); pump runs
// between attempts so a window stays responsive.
using JpegEncoder = std::function<std::optional<std::string>(const Bitmap&, int quality)>;
std::optional<std::string> EncodeJpegStepDown(const Bitmap& bitmap, int quality,
                                              const JpegEncoder& encode = EncodeJpeg,
                                              const std::function<void()>& pump = {});

}  // namespace vx
