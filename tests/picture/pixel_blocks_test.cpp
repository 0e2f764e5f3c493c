#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "picture/bitmap.h"

namespace vx {
namespace {

Color ColorOf(size_t k) { return static_cast<Color>(0x010203 * (k % 80 + 1)); }

// Thousands of bitmaps from several threads, spread over more than one block: each starts
// black, keeps what is drawn into it whatever the others get, and outlives the blocks' owner.
TEST(PixelBlocks, BitmapsAreBlackApartAndOutliveTheirOwner) {
  constexpr size_t kThreads = 4, kEach = 600;  // 2,400 bitmaps of 30 KB: about 70 MB
  std::vector<Bitmap> bitmaps(kThreads * kEach);
  {
    PixelBlocks blocks;
    std::vector<std::thread> threads;
    for (size_t t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        for (size_t k = t * kEach; k < (t + 1) * kEach; ++k) {
          Bitmap bitmap = blocks.NewBitmap(117, 85);  // rows padded to 352 bytes
          if (bitmap.Pixel(116, 84) != 0 || bitmap.Pixel(0, 0) != 0) return;
          bitmap.Fill(ColorOf(k));
          bitmaps[k] = std::move(bitmap);
        }
      });
    }
    for (std::thread& thread : threads) thread.join();
  }
  for (size_t k = 0; k < bitmaps.size(); ++k) {
    ASSERT_EQ(bitmaps[k].Width(), 117) << k;
    ASSERT_EQ(bitmaps[k].Pixel(0, 0), ColorOf(k)) << k;
    ASSERT_EQ(bitmaps[k].Pixel(116, 84), ColorOf(k)) << k;
  }
  // A copy has memory of its own; the blocks go with the last bitmap.
  const Bitmap copy = bitmaps[5];
  bitmaps.clear();
  EXPECT_EQ(copy.Pixel(60, 40), ColorOf(5));
}

TEST(PixelBlocks, LargeOrEmptyBitmapsAreOrdinaryOnes) {
  PixelBlocks blocks;
  Bitmap large = blocks.NewBitmap(2000, 1500);  // larger than an eighth of a block
  EXPECT_EQ(large.Pixel(1999, 1499), 0u);
  large.Fill(0x102030);
  EXPECT_EQ(large.Pixel(1000, 700), 0x102030u);
  EXPECT_TRUE(blocks.NewBitmap(0, 10).Empty());
  EXPECT_THROW(blocks.NewBitmap(-1, 10), std::runtime_error);
}

}  // namespace
}  // namespace vx
