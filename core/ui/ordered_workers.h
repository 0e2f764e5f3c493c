// Long work for a window: items done on worker threads, their results used on the
// user-interface thread in item order, from its own event loop. Nothing waits in a nested
// loop, so an event that arrives meanwhile never finds a handler half-way through.
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ui/ui_mailbox.h"

namespace vx::ui {

template <typename Result>
class OrderedWorkers {
 public:
  // work(i) runs on a worker and must not touch widgets or anything the window may change;
  // use(i, result) runs on the user-interface thread for i = 0, 1, ..., then done(). Neither
  // may destroy this object.
  OrderedWorkers(size_t count, unsigned threads, std::function<Result(size_t)> work,
                 std::function<void(size_t, Result&)> use, std::function<void()> done)
      : count_(count),
        ahead_(std::max(1u, threads) * 4),
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
  ~OrderedWorkers() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    moved_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }
  OrderedWorkers(const OrderedWorkers&) = delete;
  OrderedWorkers& operator=(const OrderedWorkers&) = delete;

  bool Running() const { return !finished_; }

 private:
  void Run() {
    for (;;) {
      size_t index = 0;
      {
        // Never more than a few results ahead of the ones used, so memory stays bounded.
        std::unique_lock lock(mutex_);
        moved_.wait(lock, [this] { return stopping_ || next_ < used_ + ahead_; });
        if (stopping_ || next_ >= count_) return;
        index = next_++;
      }
      auto result = std::make_shared<Result>();
      try {
        *result = work_(index);
      } catch (...) {
        // A failed item gives the empty result; the others go on.
      }
      mailbox_.Post([this, index, result] { Arrived(index, std::move(*result)); });
    }
  }

  void Arrived(size_t index, Result result) {
    waiting_.emplace(index, std::move(result));
    for (auto it = waiting_.find(usedHere_); it != waiting_.end(); it = waiting_.find(usedHere_)) {
      Result ready = std::move(it->second);
      waiting_.erase(it);
      const size_t at = usedHere_++;
      {
        const std::lock_guard lock(mutex_);
        used_ = usedHere_;
      }
      moved_.notify_all();
      use_(at, ready);
      if (usedHere_ == count_) return Finish();
    }
  }

  void Finish() {
    finished_ = true;
    if (done_) done_();
  }

  const size_t count_;
  const size_t ahead_;
  std::function<Result(size_t)> work_;
  std::function<void(size_t, Result&)> use_;
  std::function<void()> done_;
  std::mutex mutex_;
  std::condition_variable moved_;
  size_t next_ = 0;  // the next item a worker takes
  size_t used_ = 0;  // items used so far, as the workers see it
  bool stopping_ = false;
  // The user-interface thread's own.
  std::map<size_t, Result> waiting_;
  size_t usedHere_ = 0;
  bool finished_ = false;
  std::vector<std::thread> workers_;
  UiMailbox mailbox_;  // last: closed before anything the tasks use goes
};

}  // namespace vx::ui
