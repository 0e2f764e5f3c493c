#include "tile_fill.h"

#include <algorithm>
#include <thread>

#include "tile_loading.h"

namespace vx::builder {

TileFill::TileFill(ui::TO_img_items& strip, std::vector<FrameRecord> frames, Unreadable unreadable,
                   int at, std::function<void()> done)
    : strip_(strip), frames_(std::move(frames)), unreadable_(unreadable), at_(at) {
  // What the workers need, taken now: they never look at the strip.
  auto paths = std::make_shared<std::vector<std::string>>();
  for (const FrameRecord& frame : frames_) paths->push_back(frame.sourceFile);
  const int tileSize = strip_.TileSizeNow();
  const strip::Metrics metrics = strip_.StripMetrics();
  workers_ = std::make_unique<ui::OrderedWorkers<Decoded>>(
      frames_.size(), std::max(2u, std::thread::hardware_concurrency()),
      [paths, tileSize, metrics](size_t i) {
        return Decoded{MakeTileThumbnail((*paths)[i], tileSize, metrics)};
      },
      [this](size_t i, Decoded& decoded) { Use(i, decoded); }, std::move(done));
}

std::vector<FrameRecord> TileFill::Pending() const {
  return {frames_.begin() + static_cast<std::ptrdiff_t>(used_), frames_.end()};
}

void TileFill::Use(size_t index, Decoded& decoded) {
  used_ = index + 1;
  const FrameRecord& frame = frames_[index];
  if (!decoded.thumbnail) {
    unread_.push_back(frame.sourceFile);
    if (unreadable_ == Unreadable::Skip) return;
  }
  // No loader: a tile is made again, from a new thumbnail, when its size changes, and the
  // frame reads the picture itself. Without a thumbnail the tile shows the placeholder.
  ui::TO_img_item* tile = strip_.AddTile(frame.id, nullptr, decoded.thumbnail);
  tile->SourceFile = frame.sourceFile;
  tile->SetFooter(frame.footer);
  tile->FieldsText = frame.fieldsText;
  tile->PointersText = frame.pointersText;
  tile->Missing = !decoded.thumbnail;
  const int place = at_ + static_cast<int>(added_.size());
  if (at_ >= 0 && place < strip_.TileCount() - 1) strip_.MoveTile(tile, strip_.TileAt(place));
  added_.push_back(tile);
}

}  // namespace vx::builder
