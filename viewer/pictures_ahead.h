// Full pictures of the frames beside the current one, decoded ahead on a worker of their own,
// so that a step to one of them shows it at once instead of decoding it then.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "document/kel_pigger.h"
#include "picture/bitmap.h"
#include "ui/ui_mailbox.h"

namespace vx::viewer {

class PicturesAhead {
 public:
  // Runs on the worker with a copy of the frame; nothing when it cannot be decoded.
  using Decode = std::function<std::optional<Bitmap>(const TKelPigger& frame)>;

  PicturesAhead();
  // Waits for a picture being decoded; nothing more is begun.
  ~PicturesAhead();
  PicturesAhead(const PicturesAhead&) = delete;
  PicturesAhead& operator=(const PicturesAhead&) = delete;

  // The frames (copies) whose pictures to hold: pictures of others are dropped, those not yet
  // there are decoded in this order. A later call replaces what is still waiting.
  void Want(std::vector<std::shared_ptr<const TKelPigger>> frames, Decode decode);
  // A picture at hand (the one the user leaves), held if a later Want asks for it.
  void Keep(const std::string& id, Bitmap picture);
  // The picture of the frame when it is ready, handed over; nothing otherwise.
  std::optional<Bitmap> Take(const std::string& id);
  // Drops every picture, also those under way (what the pictures show has changed).
  void Clear();
  // Pictures ready now (tests and benchmarks wait for them).
  int ReadyCount() const { return static_cast<int>(ready_.size()); }

 private:
  struct Job {
    std::shared_ptr<const TKelPigger> frame;
    std::string id;
    Decode decode;
    int generation;
  };
  void Run();

  // The user-interface thread's own.
  std::map<std::string, std::shared_ptr<Bitmap>> ready_;
  std::vector<std::string> wanted_;
  int generation_ = 0;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> jobs_;
  bool stopping_ = false;
  std::thread worker_;
  ui::UiMailbox mailbox_;  // last: closed before the rest goes
};

}  // namespace vx::viewer
