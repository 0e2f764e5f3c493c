#include "strip/strip_geometry.h"

#include <gtest/gtest.h>

#include "strip/decode_order.h"

namespace vx::strip {
namespace {

constexpr Metrics k96Dpi;

TEST(StripGeometry, TileSizesPlacesAndBoxes) {
  EXPECT_EQ(TileSizeFor(234, k96Dpi), 200);
  EXPECT_EQ(PictureBox(200, k96Dpi), (Size{183, 143}));
  EXPECT_EQ(TileTop(0, 200, k96Dpi), 10);
  EXPECT_EQ(TileTop(2, 200, k96Dpi), 430);
}

TEST(StripGeometry, AtTwiceTheDensityEverySizeDoubles) {
  const Metrics twice = ScaledMetrics([](int pixels) { return 2 * pixels; });
  EXPECT_EQ(TileSizeFor(468, twice), 400);
  EXPECT_EQ(PictureBox(400, twice), (Size{366, 286}));
  EXPECT_EQ(TileTop(2, 400, twice), 860);
  EXPECT_EQ(PageOf(1300, 400, twice), 3);
}

TEST(StripGeometry, FittingKeepsTheAspectAndSmoothsLargePictures) {
  const struct {
    const char* what;
    Size picture;
    Size thumbnail;
    bool smoothed;
    Point origin;
  } cases[] = {
      {"landscape 4:3, smoothed", {1600, 1200}, {183, 137}, true, {8, 31}},
      {"small 3:2, not smoothed", {300, 200}, {183, 122}, false, {8, 39}},
      {"portrait", {1200, 1600}, {107, 143}, true, {46, 28}},
      {"one pixel", {1, 1}, {143, 143}, false, {28, 28}},
      {"empty picture", {0, 0}, {1, 1}, false, {99, 99}},
  };
  for (const auto& c : cases) {
    const Size thumbnail = FitInside(c.picture, PictureBox(200, k96Dpi));
    EXPECT_EQ(thumbnail, c.thumbnail) << c.what;
    EXPECT_EQ(NeedsSmoothing(c.picture, thumbnail), c.smoothed) << c.what;
    EXPECT_EQ(ThumbnailOrigin(200, thumbnail), c.origin) << c.what;
  }
  EXPECT_EQ(FitInside({100, 100}, {0, 50}), (Size{1, 1}));
}

TEST(StripGeometry, ReducingAnEmptyPictureGivesAnEmptyThumbnail) {
  Bitmap empty;
  EXPECT_EQ(MakeThumbnail(empty, {1, 1}).Width(), 1);
}

TEST(StripGeometry, TilesInSight) {
  // Tiles of 200 with margins of 10: tile i spans 10 + 210 i to 210 + 210 i.
  const struct {
    const char* what;
    int scrolledBy, height, count;
    std::pair<int, int> expected;
  } cases[] = {
      {"top of the strip", 0, 500, 100, {0, 3}},
      {"first tile's last row still in sight", 209, 500, 100, {0, 4}},
      {"first tile just out of sight", 210, 500, 100, {1, 4}},
      {"next tile's first row just in sight", 0, 431, 100, {0, 3}},
      {"next tile just below the edge", 0, 430, 100, {0, 2}},
      {"far down", 20000, 500, 100, {95, 98}},
      {"fewer tiles than room", 0, 500, 2, {0, 2}},
      {"scrolled past the end", 30000, 500, 100, {100, 100}},
      {"empty strip", 0, 500, 0, {0, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VisibleTiles(c.scrolledBy, c.height, 200, k96Dpi, c.count), c.expected) << c.what;
}

TEST(DecodeOrder, TilesInSightFirstThenTheRestInStripOrder) {
  const struct {
    const char* what;
    size_t count, takenBefore;
    std::pair<size_t, size_t> visible;
    std::vector<size_t> expected;  // after the ones taken before
  } cases[] = {
      {"nothing in sight", 6, 0, {0, 0}, {0, 1, 2, 3, 4, 5}},
      {"in sight first", 6, 0, {3, 5}, {3, 4, 0, 1, 2, 5}},
      {"sight moves after some are taken", 6, 2, {4, 6}, {4, 5, 2, 3}},
      {"tiles in sight already taken", 6, 3, {1, 4}, {3, 4, 5}},
      {"a range beyond the end is cut", 6, 0, {5, 99}, {5, 0, 1, 2, 3, 4}},
      {"empty strip", 0, 0, {0, 3}, {}},
  };
  for (const auto& c : cases) {
    DecodeOrder order(c.count);
    for (size_t k = 0; k < c.takenBefore; ++k) order.Next();
    order.SetVisible(c.visible.first, c.visible.second);
    std::vector<size_t> taken;
    while (auto next = order.Next()) taken.push_back(*next);
    EXPECT_EQ(taken, c.expected) << c.what;
    EXPECT_EQ(order.Remaining(), 0u) << c.what;
  }
}

TEST(StripGeometry, PageMoves) {
  EXPECT_EQ(PageOf(650, 200, k96Dpi), 3);
  EXPECT_EQ(PageDown(8, 3, 10), 9);
  EXPECT_EQ(PageUp(2, 3), 0);
  EXPECT_EQ(PageDown(4, 0, 10), 4);  // a page of 0 selects the current tile again
}

TEST(StripGeometry, MovingOneItemOntoAnother) {
  const struct {
    int from, to;
    std::vector<int> order;
  } cases[] = {
      {0, 3, {1, 2, 3, 0}},
      {3, 0, {3, 0, 1, 2}},
      {1, 2, {0, 2, 1, 3}},
      {2, 2, {0, 1, 2, 3}},
  };
  for (const auto& c : cases) {
    std::vector<int> items{0, 1, 2, 3};
    MoveItem(items, c.from, c.to);
    EXPECT_EQ(items, c.order) << c.from << " onto " << c.to;
  }
}

}  // namespace
}  // namespace vx::strip
