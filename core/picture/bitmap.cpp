#include "picture/bitmap.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace vx {

Bitmap::Bitmap(int width, int height) {
  SetSize(width, height);
  if (Bytes() > 0) pixels_ = Allocate(Bytes());
}

void Bitmap::SetSize(int width, int height) {
  const std::uint64_t stride =
      (static_cast<std::uint64_t>(std::max(width, 0)) * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t bytes = stride * static_cast<std::uint64_t>(std::max(height, 0));
  // The stride alone is checked too: a row too long for an int is refused at any height.
  if (width < 0 || height < 0 || stride > kMaxBitmapBytes || bytes > kMaxBitmapBytes)
    throw std::runtime_error("Picture too large");
  width_ = width;
  height_ = height;
  stride_ = static_cast<int>(stride);
}

namespace {

// From this size on, pixels get pages of their own, with huge pages where the system has them.
constexpr size_t kLargeBitmap = size_t{4} << 20;
// Shared blocks: bitmaps larger than an eighth of one get their own memory.
constexpr size_t kBlockBytes = size_t{32} << 20;

void* MapPages(size_t bytes) {
  void* memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) throw std::bad_alloc();
  ::madvise(memory, bytes, MADV_HUGEPAGE);
  return memory;
}

}  // namespace

std::unique_ptr<std::uint8_t[], PixelRelease> Bitmap::Allocate(size_t bytes) {
  void* memory = nullptr;
  if (bytes >= kLargeBitmap) {
    memory = MapPages(bytes);
  } else {
    memory = std::calloc(bytes, 1);
    if (!memory) throw std::bad_alloc();
  }
  return {static_cast<std::uint8_t*>(memory), PixelRelease{bytes, nullptr}};
}

void PixelRelease::operator()(std::uint8_t* p) const {
  if (block) return;  // the block's last owner unmaps it
  if (bytes >= kLargeBitmap) {
    ::munmap(p, bytes);
  } else {
    std::free(p);
  }
}

Bitmap::Bitmap(const Bitmap& other)
    : width_(other.width_), height_(other.height_), stride_(other.stride_) {
  if (other.pixels_) {
    pixels_ = Allocate(other.Bytes());
    std::memcpy(pixels_.get(), other.pixels_.get(), other.Bytes());
  }
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this != &other) *this = Bitmap(other);
  return *this;
}

Bitmap PixelBlocks::NewBitmap(int width, int height) {
  Bitmap bitmap;
  bitmap.SetSize(width, height);
  const size_t bytes = bitmap.Bytes();
  if (bytes == 0 || bytes > kBlockBytes / 8) return Bitmap(width, height);
  const std::lock_guard lock(mutex_);
  if (!block_ || used_ + bytes > kBlockBytes) {
    // Fresh pages are zero: every bitmap carved from them starts black.
    block_ = std::shared_ptr<std::uint8_t>(static_cast<std::uint8_t*>(MapPages(kBlockBytes)),
                                           [](std::uint8_t* p) { ::munmap(p, kBlockBytes); });
    used_ = 0;
  }
  bitmap.pixels_ = {block_.get() + used_, PixelRelease{bytes, block_}};
  used_ += (bytes + 63) & ~size_t{63};  // rows of different bitmaps never share a cache line
  return bitmap;
}

bool Bitmap::operator==(const Bitmap& other) const {
  if (width_ != other.width_ || height_ != other.height_) return false;
  // Row padding is not part of the picture.
  for (int y = 0; y < height_; ++y) {
    if (std::memcmp(Row(y), other.Row(y), static_cast<size_t>(width_) * 3) != 0) return false;
  }
  return true;
}

Color Bitmap::Pixel(int x, int y) const {
  const std::uint8_t* p = Row(y) + x * 3;
  return p[2] | (p[1] << 8) | (p[0] << 16);
}

void Bitmap::SetPixel(int x, int y, Color color) {
  std::uint8_t* p = Row(y) + x * 3;
  p[0] = static_cast<std::uint8_t>(color >> 16);
  p[1] = static_cast<std::uint8_t>(color >> 8);
  p[2] = static_cast<std::uint8_t>(color);
}

void Bitmap::Fill(Color color) { FillRect({0, 0, width_, height_}, color); }

void Bitmap::FillRect(const Rect& rect, Color color) {
  const int left = std::max(rect.left, 0), right = std::min(rect.right, width_);
  const int top = std::max(rect.top, 0), bottom = std::min(rect.bottom, height_);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) SetPixel(x, y, color);
  }
}

void Bitmap::ReplacePureBlack() {
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* p = Row(y);
    for (int x = 0; x < width_; ++x, p += 3) {
      if ((p[0] | p[1] | p[2]) == 0) p[0] = p[1] = p[2] = 1;
    }
  }
}

void StretchCopy(const Bitmap& source, const Rect& from, Bitmap& target, const Rect& to) {
  if (from.Width() <= 0 || from.Height() <= 0 || to.Width() <= 0 || to.Height() <= 0) return;
  for (int y = std::max(to.top, 0); y < std::min(to.bottom, target.Height()); ++y) {
    const int sy = from.top + static_cast<int>(static_cast<std::int64_t>(y - to.top) *
                                               from.Height() / to.Height());
    if (sy < 0 || sy >= source.Height()) continue;
    const std::uint8_t* in = source.Row(sy);
    std::uint8_t* out = target.Row(y);
    for (int x = std::max(to.left, 0); x < std::min(to.right, target.Width()); ++x) {
      const int sx = from.left + static_cast<int>(static_cast<std::int64_t>(x - to.left) *
                                                  from.Width() / to.Width());
      if (sx < 0 || sx >= source.Width()) continue;
      std::copy_n(in + sx * 3, 3, out + x * 3);
    }
  }
}

}  // namespace vx
