// Fixed-point bilinear resampling, smoothing and quarter turns of 24-bit bitmaps.
#pragma once

#include <functional>

#include "picture/bitmap.h"

namespace vx {

// Fills target (whose size the caller has set, at least 1 x 1) from source.
void ResizeBilinear(const Bitmap& source, Bitmap& target);

// Called before every target row with the percentage done (never 100); setting cancel
// stops the resize, leaving the remaining rows as they were.
using ResizeProgress = std::function<void(int percent, bool& cancel)>;
void ResizeBilinearProgress(const Bitmap& source, Bitmap& target, const ResizeProgress& progress);

// Fills target, at most as wide and as high as source, with the average of the source pixels
// each target pixel covers: every source pixel counts, so a large reduction does not alias as
// bilinear sampling does.
void ShrinkAveraging(const Bitmap& source, Bitmap& target);

// Averages every pixel with the four samples d rows and columns away, in place, top to
// bottom and left to right; samples outside the bitmap fall back to the pixel's own row or
// column.
void SmoothPass(Bitmap& bitmap, int distance);

Bitmap RotateLeft(const Bitmap& source);
Bitmap RotateRight(const Bitmap& source);

}  // namespace vx
