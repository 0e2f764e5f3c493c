#include "pictures_ahead.h"

#include <algorithm>

#include "document/vocabulary.h"

namespace vx::viewer {

PicturesAhead::PicturesAhead() : worker_([this] { Run(); }) {}

PicturesAhead::~PicturesAhead() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void PicturesAhead::Want(std::vector<std::shared_ptr<const TKelPigger>> frames, Decode decode) {
  wanted_.clear();
  for (const auto& frame : frames) wanted_.push_back(frame->GetAttr(names::kFrameId));
  std::erase_if(ready_, [this](const auto& entry) {
    return std::find(wanted_.begin(), wanted_.end(), entry.first) == wanted_.end();
  });
  {
    const std::lock_guard lock(mutex_);
    jobs_.clear();
    for (size_t k = 0; k < frames.size(); ++k) {
      if (!ready_.count(wanted_[k]))
        jobs_.push_back({std::move(frames[k]), wanted_[k], decode, generation_});
    }
  }
  changed_.notify_all();
}

void PicturesAhead::Keep(const std::string& id, Bitmap picture) {
  if (!id.empty()) ready_[id] = std::make_shared<Bitmap>(std::move(picture));
}

std::optional<Bitmap> PicturesAhead::Take(const std::string& id) {
  const auto it = ready_.find(id);
  if (it == ready_.end()) return std::nullopt;
  Bitmap picture = std::move(*it->second);
  ready_.erase(it);
  return picture;
}

void PicturesAhead::Clear() {
  ready_.clear();
  wanted_.clear();
  const std::lock_guard lock(mutex_);
  jobs_.clear();
  ++generation_;  // a picture under way is dropped when it arrives
}

void PicturesAhead::Run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    std::shared_ptr<Bitmap> picture;
    try {
      if (auto decoded = job.decode(*job.frame))
        picture = std::make_shared<Bitmap>(std::move(*decoded));
    } catch (const std::exception&) {
      // Not decoded ahead: the step decodes it then, and tells what fails.
    }
    if (!picture) continue;
    mailbox_.Post([this, id = job.id, generation = job.generation, picture] {
      if (generation != generation_) return;
      if (std::find(wanted_.begin(), wanted_.end(), id) == wanted_.end()) return;
      ready_[id] = picture;
    });
  }
}

}  // namespace vx::viewer
