// Work of which only the latest result counts, such as the preview of the entry just clicked:
// one worker thread does one piece at a time, a piece asked for meanwhile replaces the one
// waiting, and a result that comes back after a later Start is dropped. Results are used on
// the user-interface thread from its own event loop.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "ui/ui_mailbox.h"

namespace vx::ui {

class LatestWork {
 public:
  // Runs on the worker and must not touch widgets; what it returns runs on the user-interface
  // thread with its result.
  using Work = std::function<std::function<void()>()>;

  LatestWork() = default;
  // Waits for the piece under way; nothing more is delivered.
  ~LatestWork();
  LatestWork(const LatestWork&) = delete;
  LatestWork& operator=(const LatestWork&) = delete;

  // From the user-interface thread.
  void Start(Work work);
  // No result of an earlier Start is used.
  void Cancel();
  // A piece has been started whose result has not been used yet.
  bool Busy() const { return busy_; }

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable wake_;
  Work waiting_;
  std::uint64_t waitingRun_ = 0;
  bool stopping_ = false;
  std::thread worker_;
  // Touched on the user-interface thread only.
  std::uint64_t run_ = 0;
  bool busy_ = false;
  UiMailbox mailbox_;
};

}  // namespace vx::ui
