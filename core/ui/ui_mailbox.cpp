#include "ui/ui_mailbox.h"

#include <FL/Fl.H>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>

namespace vx::ui {

namespace {

constexpr std::chrono::milliseconds kTurn{20};

}  // namespace

struct UiMailbox::Shared {
  std::mutex mutex;
  std::deque<std::function<void()>> tasks;
  bool wakePending = false;  // one wake-up at a time, so FLTK's small ring never fills
  std::atomic<bool> closed{false};
};

UiMailbox::UiMailbox() : shared_(std::make_shared<Shared>()) {
  // FLTK wakes its event loop for other threads only once its lock has been taken.
  static const bool threadsOn = [] {
    Fl::lock();
    return true;
  }();
  (void)threadsOn;
}

UiMailbox::~UiMailbox() {
  shared_->closed = true;
  const std::lock_guard lock(shared_->mutex);
  shared_->tasks.clear();
}

void UiMailbox::Post(std::function<void()> task) {
  if (shared_->closed) return;
  const std::lock_guard lock(shared_->mutex);
  shared_->tasks.push_back(std::move(task));
  if (shared_->wakePending) return;
  shared_->wakePending = true;
  auto* ticket = new std::shared_ptr<Shared>(shared_);
  if (Fl::awake(&UiMailbox::Deliver, ticket) != 0) {
    delete ticket;  // the next post tries again
    shared_->wakePending = false;
  }
}

void UiMailbox::Deliver(void* data) {
  std::unique_ptr<std::shared_ptr<Shared>> ticket(static_cast<std::shared_ptr<Shared>*>(data));
  const std::shared_ptr<Shared> shared = *ticket;
  // One task at a time: a task that opens a dialog runs an event loop, and tasks posted
  // meanwhile must still come after the ones already waiting. After a while the event loop
  // gets its turn again (through a timeout, which FLTK runs only after pending events), so
  // busy workers never starve painting and input.
  const auto until = std::chrono::steady_clock::now() + kTurn;
  for (;;) {
    std::function<void()> task;
    {
      const std::lock_guard lock(shared->mutex);
      if (shared->tasks.empty() || shared->closed) {
        shared->wakePending = false;
        return;
      }
      if (std::chrono::steady_clock::now() >= until) {
        Fl::add_timeout(0.0, &UiMailbox::Deliver, ticket.release());
        return;
      }
      task = std::move(shared->tasks.front());
      shared->tasks.pop_front();
    }
    task();
  }
}

}  // namespace vx::ui
