#include "ui/latest_work.h"

#include <utility>

namespace vx::ui {

LatestWork::~LatestWork() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    waiting_ = nullptr;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void LatestWork::Start(Work work) {
  const std::uint64_t run = ++run_;
  busy_ = true;
  {
    const std::lock_guard lock(mutex_);
    waiting_ = std::move(work);
    waitingRun_ = run;
  }
  wake_.notify_all();
  if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
}

void LatestWork::Cancel() {
  ++run_;
  busy_ = false;
  const std::lock_guard lock(mutex_);
  waiting_ = nullptr;
}

void LatestWork::Run() {
  for (;;) {
    Work work;
    std::uint64_t run = 0;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || waiting_; });
      if (stopping_) return;
      work = std::exchange(waiting_, nullptr);
      run = waitingRun_;
    }
    std::function<void()> use;
    try {
      use = work();
    } catch (...) {
      // A piece that fails gives nothing to use; the caller's work reports its own failures.
    }
    mailbox_.Post([this, run, use = std::move(use)] {
      if (run != run_) return;
      busy_ = false;
      if (use) use();
    });
  }
}

}  // namespace vx::ui
