// The order in which a strip's thumbnails are made: the tiles in sight first, from the top,
// then the others in strip order. Its owner locks it when several threads take from it.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace vx::strip {

class DecodeOrder {
 public:
  explicit DecodeOrder(size_t count) : taken_(count, false), remaining_(count) {}

  // Tiles first to last - 1 are in sight now.
  void SetVisible(size_t first, size_t last);
  // The next tile to make, marked as taken; none once every tile is taken.
  std::optional<size_t> Next();
  size_t Remaining() const { return remaining_; }

 private:
  size_t Take(size_t index);

  std::vector<bool> taken_;
  size_t remaining_;
  size_t visibleFirst_ = 0, visibleLast_ = 0;
  size_t inOrder_ = 0;  // every tile before it is taken
};

}  // namespace vx::strip
