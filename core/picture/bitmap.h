// A 24-bit raster in the BMP layout: blue, green, red per pixel, row 0 at the top, every row
// padded to a multiple of 4 bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>

#include "document/conversions.h"
#include "picture/geometry.h"

namespace vx {

// Pictures are refused above this many bytes of pixels, before anything is allocated.
inline constexpr std::uint64_t kMaxBitmapBytes = std::uint64_t{1} << 30;

// Pixels come as fresh zero pages from the system, touched only when written, so a file that
// claims a huge size and then fails costs no time; large pictures use huge pages.
struct PixelRelease {
  size_t bytes = 0;
  std::shared_ptr<void> block;  // pixels carved from a shared block go with it
  void operator()(std::uint8_t* p) const;
};

class Bitmap {
 public:
  Bitmap() = default;
  // All pixels black. Fails with "Picture too large" when the pixels would pass
  // kMaxBitmapBytes.
  Bitmap(int width, int height);
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  // A bitmap moved from is empty.
  Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }
  Bitmap& operator=(Bitmap&& other) noexcept {
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    stride_ = std::exchange(other.stride_, 0);
    pixels_ = std::move(other.pixels_);
    return *this;
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  int Stride() const { return stride_; }
  static int StrideFor(int width) { return (width * 3 + 3) & ~3; }

  std::uint8_t* Row(int y) { return pixels_.get() + static_cast<size_t>(y) * stride_; }
  const std::uint8_t* Row(int y) const { return pixels_.get() + static_cast<size_t>(y) * stride_; }

  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color color);
  void Fill(Color color);
  // Fills the part of the rectangle that lies inside the bitmap.
  void FillRect(const Rect& rect, Color color);
  // Pure black is the transparent colour of masked pictures; drawn pixels use 0x010101.
  void ReplacePureBlack();

  bool operator==(const Bitmap& other) const;

 private:
  friend class PixelBlocks;
  // Checks the size as the constructor does and takes it, without pixels.
  void SetSize(int width, int height);

  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  size_t Bytes() const { return static_cast<size_t>(stride_) * static_cast<size_t>(height_); }

  static std::unique_ptr<std::uint8_t[], PixelRelease> Allocate(size_t bytes);
  std::unique_ptr<std::uint8_t[], PixelRelease> pixels_;
};

// Many small bitmaps that live about as long as each other (a strip's thumbnails) share
// large blocks of huge pages, so ten thousand of them cost a few page faults instead of one
// for every 4 KB. A block goes once its last bitmap is gone.
class PixelBlocks {
 public:
  // All pixels black, like Bitmap(width, height); safe to call from several threads.
  Bitmap NewBitmap(int width, int height);

 private:
  std::mutex mutex_;
  std::shared_ptr<std::uint8_t> block_;
  size_t used_ = 0;
};

// The platform's ordinary stretching copy: nearest neighbour from a source rectangle onto a
// destination rectangle; pixels outside either bitmap are skipped.
void StretchCopy(const Bitmap& source, const Rect& from, Bitmap& target, const Rect& to);

}  // namespace vx
