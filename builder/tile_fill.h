// Tiles for a list of frames: the thumbnails are decoded reduced on every core and the tiles
// added in frame order from the user-interface thread's own loop, so the window stays
// responsive and nothing re-enters the fill.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/project_state.h"
#include "ui/ordered_workers.h"
#include "ui/thumbnail_strip.h"

namespace vx::builder {

class TileFill {
 public:
  enum class Unreadable {
    Placeholder,  // a project's frame: kept, with a tile marked as missing
    Skip,         // a picture being added: left out
  };
  // Tiles go to the strip's end, or from index at on when at is within it. done runs once the
  // last tile is in; it must not destroy the fill.
  TileFill(ui::TO_img_items& strip, std::vector<FrameRecord> frames, Unreadable unreadable, int at,
           std::function<void()> done);

  bool Running() const { return workers_ && workers_->Running(); }
  // The frames whose tiles are not in the strip yet.
  std::vector<FrameRecord> Pending() const;
  // Tiles added so far, in order.
  const std::vector<ui::TO_img_item*>& Added() const { return added_; }
  // Source files of the frames that could not be read, in frame order.
  const std::vector<std::string>& Unread() const { return unread_; }

 private:
  struct Decoded {
    std::shared_ptr<const Bitmap> thumbnail;
  };
  void Use(size_t index, Decoded& decoded);

  ui::TO_img_items& strip_;
  std::vector<FrameRecord> frames_;
  Unreadable unreadable_;
  int at_;
  size_t used_ = 0;
  std::vector<ui::TO_img_item*> added_;
  std::vector<std::string> unread_;
  std::unique_ptr<ui::OrderedWorkers<Decoded>> workers_;  // last: stopped first
};

}  // namespace vx::builder
