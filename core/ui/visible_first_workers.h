// Thumbnails for a strip made on worker threads, the tiles in sight first: each result is
// used on the user-interface thread as it arrives, from its own event loop, so the strip
// fills in while the window goes on answering.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/process.h"
#include "strip/decode_order.h"
#include "ui/ui_mailbox.h"

namespace vx::ui {

template <typename Result>
class VisibleFirstWorkers {
 public:
  // work(i) runs on a worker and must not touch widgets or anything the window may change;
  // use(i, result) runs on the user-interface thread for every item in the order they are
  // done, then done(). Neither may destroy this object.
  VisibleFirstWorkers(size_t count, unsigned threads, std::function<Result(size_t)> work,
                      std::function<void(size_t, Result&)> use, std::function<void()> done)
      : count_(count),
        order_(count),
        work_(std::move(work)),
        use_(std::move(use)),
        done_(std::move(done)) {
    if (count_ == 0) {
      mailbox_.Post([this] { Finish(); });
      return;
    }
    for (unsigned t = 0; t < std::max(1u, threads); ++t) workers_.emplace_back([this] { Run(); });
  }
  // Stops: work under way is finished and dropped, the rest is never begun.
  ~VisibleFirstWorkers() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    for (std::thread& worker : workers_) worker.join();
  }
  VisibleFirstWorkers(const VisibleFirstWorkers&) = delete;
  VisibleFirstWorkers& operator=(const VisibleFirstWorkers&) = delete;

  // Items first to last - 1 go before the others not yet begun.
  void SetVisible(size_t first, size_t last) {
    const std::lock_guard lock(mutex_);
    order_.SetVisible(first, last);
  }
  bool Running() const { return !finished_; }

 private:
  void Run() {
    LowerThisThreadsPriority();  // the window and the picture being opened come first
    for (;;) {
      size_t index = 0;
      {
        const std::lock_guard lock(mutex_);
        const auto next = stopping_ ? std::nullopt : order_.Next();
        if (!next) return;
        index = *next;
      }
      auto result = std::make_shared<Result>();
      try {
        *result = work_(index);
      } catch (...) {
        // A failed item gives the empty result; the others go on.
      }
      mailbox_.Post([this, index, result] { Arrived(index, *result); });
    }
  }

  void Arrived(size_t index, Result& result) {
    use_(index, result);
    if (++used_ == count_) Finish();
  }

  void Finish() {
    finished_ = true;
    if (done_) done_();
  }

  const size_t count_;
  std::mutex mutex_;
  strip::DecodeOrder order_;  // guarded by the mutex
  bool stopping_ = false;     // likewise
  std::function<Result(size_t)> work_;
  std::function<void(size_t, Result&)> use_;
  std::function<void()> done_;
  // The user-interface thread's own.
  size_t used_ = 0;
  bool finished_ = false;
  std::vector<std::thread> workers_;
  UiMailbox mailbox_;  // last: closed before anything the tasks use goes
};

}  // namespace vx::ui
