// The arithmetic of the thumbnail strip, apart from any window: tile sizes and places,
// fitting and reducing pictures, page moves and reordering.
#pragma once

#include <algorithm>
#include <vector>

#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace vx::strip {

inline constexpr int kMargin = 10;        // around and between tiles
inline constexpr int kBand = 20;          // black bands above and below the picture
inline constexpr int kTopBand = 7;        // above the scroll area
inline constexpr int kWidthReserve = 34;  // scroll area width minus tile size

inline int TileSizeFor(int scrollAreaWidth) { return scrollAreaWidth - kWidthReserve; }
inline int TileTop(int index, int tileSize) { return kMargin + index * (tileSize + kMargin); }

// The largest box the picture may take in a tile of size S.
inline Size PictureBox(int tileSize) { return {tileSize - 17, tileSize - 57}; }

// Pictures much larger than their thumbnail are smoothed first, so reduction does not alias.
bool NeedsSmoothing(Size picture, Size thumbnail);
// Smoothed when needed, then reduced bilinearly; the picture is changed by the smoothing.
Bitmap MakeThumbnail(Bitmap& picture, Size thumbnail);
// Centred on the whole tile.
inline Point ThumbnailOrigin(int tileSize, Size thumbnail) {
  return {(tileSize - thumbnail.width) / 2, (tileSize - thumbnail.height) / 2};
}

// Tiles a page move passes over.
inline int PageOf(int scrollAreaHeight, int tileSize) {
  return scrollAreaHeight / (tileSize + kMargin);
}
inline int PageUp(int current, int page) { return std::max(0, current - page); }
inline int PageDown(int current, int page, int count) {
  return std::min(count - 1, current + page);
}

// Moves the item at from to the place of the item at to; the items between shift one place
// towards from.
template <typename T>
void MoveItem(std::vector<T>& items, int from, int to) {
  if (from < to) {
    std::rotate(items.begin() + from, items.begin() + from + 1, items.begin() + to + 1);
  } else if (to < from) {
    std::rotate(items.begin() + to, items.begin() + from, items.begin() + from + 1);
  }
}

}  // namespace vx::strip
