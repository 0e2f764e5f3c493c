#include "picture/resample.h"

#include <gtest/gtest.h>

#include <random>

namespace vx {
namespace {

Bitmap Noise(int width, int height, unsigned seed = 1) {
  Bitmap bitmap(width, height);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * 3; ++x) bitmap.Row(y)[x] = static_cast<std::uint8_t>(random());
  }
  return bitmap;
}

std::uint8_t Blue(const Bitmap& b, int x, int y) { return b.Row(y)[x * 3]; }

TEST(ResizeBilinear, OwnSizeSamplesBetweenColumns) {
  // 100 wide: xstep 32440, so column 50 samples column 49 with the fraction 16368.
  Bitmap source(100, 1);
  for (int x = 50; x < 100; ++x) source.SetPixel(x, 0, 0xFFFFFF);
  Bitmap target(100, 1);
  ResizeBilinear(source, target);
  EXPECT_EQ(Blue(target, 50, 0), (255 * 16368) >> 15);
  EXPECT_EQ(Blue(target, 49, 0), 0);  // 49 * 32440 >> 15 = 48, fraction 16 of black and black
}

TEST(ResizeBilinear, EnlargesTwoByTwoByQuarterSteps) {
  Bitmap source(2, 2);
  source.SetPixel(0, 0, 0x000000);
  source.SetPixel(1, 0, 0xFFFFFF);
  source.SetPixel(0, 1, 0x000000);
  source.SetPixel(1, 1, 0xFFFFFF);
  Bitmap target(4, 4);
  ResizeBilinear(source, target);
  // Positions 0, 0.25, 0.5, 0.75 of the way from black to white; never column 1 itself.
  const int expected[] = {0, 63, 127, 191};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Blue(target, x, 2), expected[x]) << x;
}

TEST(ResizeBilinear, OnePixelSourceAndGreyStayUniform) {
  Bitmap dot(1, 1);
  dot.SetPixel(0, 0, 0x123456);
  Bitmap big(7, 5);
  ResizeBilinear(dot, big);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(big.Pixel(x, y), 0x123456u);

  Bitmap grey = Noise(13, 11);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 13; ++x)
      grey.Row(y)[x * 3 + 1] = grey.Row(y)[x * 3 + 2] = grey.Row(y)[x * 3];
  Bitmap out(29, 3);
  ResizeBilinear(grey, out);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 29; ++x) {
      const std::uint8_t* p = out.Row(y) + x * 3;
      ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << x << "," << y;
    }
  }
}

// Every source pixel counts: a one-pixel checkerboard comes out grey where bilinear
// sampling would pick columns of one colour; uneven steps cover every column and row once.
TEST(ShrinkAveraging, AveragesEveryCoveredPixel) {
  Bitmap board(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) board.SetPixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0);
  Bitmap small(8, 6);
  ShrinkAveraging(board, small);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(Blue(small, x, y), 128) << x << "," << y;

  // 5 columns into 2: columns 0-1 and 2-4 (3 of them), averaged with rounding.
  Bitmap row(5, 1);
  const int values[] = {10, 20, 30, 40, 51};
  for (int x = 0; x < 5; ++x) row.Row(0)[x * 3] = static_cast<std::uint8_t>(values[x]);
  Bitmap two(2, 1);
  ShrinkAveraging(row, two);
  EXPECT_EQ(Blue(two, 0, 0), 15);
  EXPECT_EQ(Blue(two, 1, 0), 40);

  // Its own size is a copy; a larger target is left alone.
  const Bitmap noise = Noise(7, 5);
  Bitmap same(7, 5);
  ShrinkAveraging(noise, same);
  EXPECT_EQ(same, noise);
  Bitmap larger(8, 5);
  ShrinkAveraging(noise, larger);
  EXPECT_EQ(larger, Bitmap(8, 5));
}

TEST(ResizeBilinearProgress, ReportsPerRowAndCancelKeepsTheRest) {
  const Bitmap source = Noise(8, 8);
  Bitmap target(4, 3);
  target.Fill(0xABCDEF);
  std::vector<int> reports;
  ResizeBilinearProgress(source, target, [&](int percent, bool& cancel) {
    reports.push_back(percent);
    cancel = reports.size() == 2;
  });
  EXPECT_EQ(reports, (std::vector<int>{0, 33}));
  EXPECT_NE(target.Pixel(0, 0), 0xABCDEFu);
  EXPECT_EQ(target.Pixel(0, 1), 0xABCDEFu);
  EXPECT_EQ(target.Pixel(3, 2), 0xABCDEFu);

  reports.clear();
  ResizeBilinearProgress(source, target, [&](int percent, bool&) { reports.push_back(percent); });
  EXPECT_EQ(reports, (std::vector<int>{0, 33, 67}));
}

TEST(SmoothPass, ZeroDistanceAndUniformPicturesStayUnchanged) {
  Bitmap noise = Noise(9, 7);
  const Bitmap copy = noise;
  SmoothPass(noise, 0);
  EXPECT_EQ(noise, copy);
  Bitmap flat(9, 7);
  flat.Fill(0x405060);
  const Bitmap flatCopy = flat;
  for (int d : {1, 3, 20}) {
    SmoothPass(flat, d);
    EXPECT_EQ(flat, flatCopy) << d;
  }
}

TEST(SmoothPass, AveragesFourSamplesInPlace) {
  Bitmap b(3, 3);
  b.SetPixel(2, 2, 0xFFFFFF);  // only the lower-right sample of (1, 1) is white
  SmoothPass(b, 1);
  // Samples already smoothed are read as they stand; outside rows and columns fall back to
  // the pixel's own.
  const int expected[3][3] = {{0, 0, 0}, {0, 63, 63}, {15, 83, 116}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Blue(b, x, y), expected[y][x]) << x << "," << y;
}

TEST(Rotate, QuarterTurnsSwapSizesAndUndoEachOther) {
  const Bitmap source = Noise(3, 2);
  const Bitmap left = RotateLeft(source);
  EXPECT_EQ(left.Width(), 2);
  EXPECT_EQ(left.Height(), 3);
  EXPECT_EQ(left.Pixel(0, 2), source.Pixel(0, 0));  // top-left goes to bottom-left
  const Bitmap right = RotateRight(source);
  EXPECT_EQ(right.Pixel(1, 0), source.Pixel(0, 0));  // top-left goes to top-right
  EXPECT_EQ(RotateRight(left), source);
  EXPECT_EQ(RotateLeft(right), source);
}

}  // namespace
}  // namespace vx
