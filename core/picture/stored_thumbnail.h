// The small JPEG an archive may carry beside each frame's picture, so the viewer fills its
// strip without decoding the pictures themselves.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "picture/bitmap.h"

namespace vx {

inline constexpr int kStoredThumbnailSide = 256;  // longest side
inline constexpr int kStoredThumbnailQuality = 75;

// "TN_" + the frame's FRAME_ID.
std::string ThumbnailBlockName(std::string_view frameId);

// The picture fitted into kStoredThumbnailSide squared; nothing when it fits already (its
// own JPEG is as small as a thumbnail) or cannot be encoded.
std::optional<std::string> EncodeStoredThumbnail(const Bitmap& picture);

// The stored thumbnail when its block holds an intact JPEG file at least as large as the
// picture fitted into box, decoded at the smallest scaling that still covers it; nothing
// otherwise (no block, a damaged or cut one, or too small), and the picture itself is to be
// decoded.
std::optional<Bitmap> DecodeStoredThumbnail(std::string_view block, Size box);

}  // namespace vx
