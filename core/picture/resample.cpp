#include "picture/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vx {
namespace {

constexpr std::uint32_t kOne = 32768;  // one source pixel in 15-bit fixed point
constexpr int kShift = 15;

// Where every target column samples the source: left byte offset, right byte offset and
// the fraction, computed once per resize.
struct ColumnSample {
  std::uint32_t left, right, fraction;
};

void Resize(const Bitmap& source, Bitmap& target, const ResizeProgress* progress) {
  const int w = target.Width(), h = target.Height();
  const int W = source.Width(), H = source.Height();
  if (w <= 0 || h <= 0 || W <= 0 || H <= 0) return;
  // 64-bit steps keep sources wider than 65536 pixels exact as well.
  const std::uint64_t xstep =
      static_cast<std::uint64_t>(W - 1) * kOne / static_cast<std::uint64_t>(w);
  const std::uint64_t ystep =
      static_cast<std::uint64_t>(H - 1) * kOne / static_cast<std::uint64_t>(h);

  std::vector<ColumnSample> columns(static_cast<size_t>(w));
  std::uint64_t xacc = 0;
  for (ColumnSample& column : columns) {
    const auto x = static_cast<std::uint32_t>(xacc >> kShift);
    column = {x * 3, (W > 1 ? x + 1 : x) * 3, static_cast<std::uint32_t>(xacc & (kOne - 1))};
    xacc += xstep;
  }

  std::uint64_t yacc = 0;
  for (int r = 0; r < h; ++r, yacc += ystep) {
    if (progress) {
      bool cancel = false;
      (*progress)(static_cast<int>(std::nearbyint(r * 100.0 / h)), cancel);
      if (cancel) return;
    }
    const auto y = static_cast<int>(yacc >> kShift);
    const std::uint32_t fy = yacc & (kOne - 1);
    const std::uint32_t gy = kOne - fy;
    const std::uint8_t* upper = source.Row(y);
    const std::uint8_t* lower = source.Row(H > 1 ? y + 1 : y);
    std::uint8_t* out = target.Row(r);
    for (const ColumnSample& column : columns) {
      const std::uint32_t wTR = (column.fraction * gy) >> kShift;
      const std::uint32_t wTL = gy - wTR;
      const std::uint32_t wBR = (column.fraction * fy) >> kShift;
      const std::uint32_t wBL = fy - wBR;
      const std::uint8_t* tl = upper + column.left;
      const std::uint8_t* tr = upper + column.right;
      const std::uint8_t* bl = lower + column.left;
      const std::uint8_t* br = lower + column.right;
      for (int channel = 0; channel < 3; ++channel) {
        *out++ = static_cast<std::uint8_t>(
            (tl[channel] * wTL + tr[channel] * wTR + bl[channel] * wBL + br[channel] * wBR) >>
            kShift);
      }
    }
  }
}

}  // namespace

void ResizeBilinear(const Bitmap& source, Bitmap& target) { Resize(source, target, nullptr); }

void ResizeBilinearProgress(const Bitmap& source, Bitmap& target, const ResizeProgress& progress) {
  Resize(source, target, &progress);
}

void ShrinkAveraging(const Bitmap& source, Bitmap& target) {
  const int w = target.Width(), h = target.Height();
  const int W = source.Width(), H = source.Height();
  if (w <= 0 || h <= 0 || w > W || h > H) return;
  // Target column c covers source columns [c * W / w, (c + 1) * W / w); rows likewise.
  std::vector<int> firstColumn(static_cast<size_t>(w) + 1);
  for (int c = 0; c <= w; ++c)
    firstColumn[static_cast<size_t>(c)] = static_cast<int>(std::int64_t{c} * W / w);
  // 64-bit sums: one target pixel may cover a whole gigabyte picture.
  std::vector<std::uint64_t> sums(static_cast<size_t>(w) * 3);
  for (int r = 0; r < h; ++r) {
    const int top = static_cast<int>(std::int64_t{r} * H / h);
    const int bottom = static_cast<int>(std::int64_t{r + 1} * H / h);
    std::fill(sums.begin(), sums.end(), 0);
    for (int y = top; y < bottom; ++y) {
      const std::uint8_t* in = source.Row(y);
      std::uint64_t* sum = sums.data();
      for (int c = 0; c < w; ++c, sum += 3) {
        for (int x = firstColumn[static_cast<size_t>(c)];
             x < firstColumn[static_cast<size_t>(c) + 1]; ++x, in += 3) {
          sum[0] += in[0];
          sum[1] += in[1];
          sum[2] += in[2];
        }
      }
    }
    std::uint8_t* out = target.Row(r);
    const std::uint64_t* sum = sums.data();
    for (int c = 0; c < w; ++c, sum += 3) {
      const std::uint64_t count =
          static_cast<std::uint64_t>(bottom - top) *
          static_cast<std::uint64_t>(firstColumn[static_cast<size_t>(c) + 1] -
                                     firstColumn[static_cast<size_t>(c)]);
      for (int channel = 0; channel < 3; ++channel)
        *out++ = static_cast<std::uint8_t>((sum[channel] + count / 2) / count);
    }
  }
}

void SmoothPass(Bitmap& bitmap, int distance) {
  const int W = bitmap.Width(), H = bitmap.Height(), d = distance;
  if (d <= 0) return;
  for (int y = 0; y < H; ++y) {
    const std::uint8_t* upper = bitmap.Row(y - d < 0 ? y : y - d);
    const std::uint8_t* lower = bitmap.Row(y + d < H ? y + d : y);
    std::uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < W; ++x) {
      const int a = (x - d < 0 ? x : x - d) * 3;
      const int b = (x + d < W ? x + d : x) * 3;
      for (int channel = 0; channel < 3; ++channel) {
        row[x * 3 + channel] = static_cast<std::uint8_t>(
            (upper[a + channel] + lower[a + channel] + upper[b + channel] + lower[b + channel]) >>
            2);
      }
    }
  }
}

namespace {

// A quarter turn: the target is H x W and target(place(x, y)) = source(x, y).
template <typename Place>
Bitmap Turn(const Bitmap& source, Place place) {
  const int W = source.Width(), H = source.Height();
  Bitmap target(H, W);
  for (int y = 0; y < H; ++y) {
    const std::uint8_t* in = source.Row(y);
    for (int x = 0; x < W; ++x) {
      const Point at = place(x, y, W, H);
      std::copy_n(in + x * 3, 3, target.Row(at.y) + at.x * 3);
    }
  }
  return target;
}

}  // namespace

Bitmap RotateLeft(const Bitmap& source) {
  return Turn(source, [](int x, int y, int W, int) { return Point{y, W - 1 - x}; });
}

Bitmap RotateRight(const Bitmap& source) {
  return Turn(source, [](int x, int y, int, int H) { return Point{H - 1 - y, x}; });
}

}  // namespace vx
