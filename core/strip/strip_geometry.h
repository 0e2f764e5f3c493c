// The arithmetic of the thumbnail strip, apart from any window: tile sizes and places,
// fitting and reducing pictures, page moves and reordering.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace vx::strip {

// The strip's fixed sizes in screen pixels; the defaults are those at 96 dpi.
struct Metrics {
  int margin = 10;            // around and between tiles
  int band = 20;              // black bands above and below the picture
  int topBand = 7;            // above the scroll area
  int widthReserve = 34;      // scroll area width minus tile size
  Size pictureInset{17, 57};  // tile size minus the largest box the picture may take
};
// The 96-dpi sizes passed through the desktop's scale function.
Metrics ScaledMetrics(int (*scale)(int));

inline int TileSizeFor(int scrollAreaWidth, const Metrics& m) {
  return scrollAreaWidth - m.widthReserve;
}
inline int TileTop(int index, int tileSize, const Metrics& m) {
  return m.margin + index * (tileSize + m.margin);
}

// The largest box the picture may take in a tile of size S.
inline Size PictureBox(int tileSize, const Metrics& m) {
  return {tileSize - m.pictureInset.width, tileSize - m.pictureInset.height};
}

// Pictures much larger than their thumbnail are smoothed first, so reduction does not alias.
bool NeedsSmoothing(Size picture, Size thumbnail);
// Smoothed when needed, then reduced bilinearly; the picture is changed by the smoothing.
Bitmap MakeThumbnail(Bitmap& picture, Size thumbnail);
// The same into a bitmap of the thumbnail's size.
void ReduceInto(Bitmap& picture, Bitmap& thumbnail);
// The picture reduced to the largest size the box holds, as a tile shows it; with blocks,
// its pixels come from them.
Bitmap FitThumbnail(Bitmap& picture, Size box, PixelBlocks* blocks = nullptr);
// Centred on the whole tile.
inline Point ThumbnailOrigin(int tileSize, Size thumbnail) {
  return {(tileSize - thumbnail.width) / 2, (tileSize - thumbnail.height) / 2};
}

// The tiles at least partly in sight, first to last - 1, when the content is scrolled up by
// scrolledBy in an area height pixels high.
inline std::pair<int, int> VisibleTiles(int scrolledBy, int height, int tileSize, const Metrics& m,
                                        int count) {
  const int pitch = tileSize + m.margin;
  const int above = scrolledBy - m.margin - tileSize;  // tile bottoms at or above the top
  const int first = above < 0 ? 0 : std::min(count, above / pitch + 1);
  const int below = scrolledBy + height - m.margin;  // tile tops above the bottom edge
  const int last = below <= 0 ? 0 : std::min(count, (below + pitch - 1) / pitch);
  return {first, std::max(first, last)};
}

// Tiles a page move passes over.
inline int PageOf(int scrollAreaHeight, int tileSize, const Metrics& m) {
  return scrollAreaHeight / (tileSize + m.margin);
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
