#include "strip/decode_order.h"

#include <algorithm>

namespace vx::strip {

void DecodeOrder::SetVisible(size_t first, size_t last) {
  visibleLast_ = std::min(last, taken_.size());
  visibleFirst_ = std::min(first, visibleLast_);
}

std::optional<size_t> DecodeOrder::Next() {
  // Tiles in sight that are taken stay taken, so the range only ever shrinks from its top.
  for (; visibleFirst_ < visibleLast_; ++visibleFirst_) {
    if (!taken_[visibleFirst_]) return Take(visibleFirst_++);
  }
  for (; inOrder_ < taken_.size(); ++inOrder_) {
    if (!taken_[inOrder_]) return Take(inOrder_++);
  }
  return std::nullopt;
}

size_t DecodeOrder::Take(size_t index) {
  taken_[index] = true;
  --remaining_;
  return index;
}

}  // namespace vx::strip
