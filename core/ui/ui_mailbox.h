// Hands the results of worker threads to the user-interface thread, which runs them from
// its event loop: workers never touch a widget, and no handler waits in a loop of its own.
#pragma once

#include <functional>
#include <memory>

namespace vx::ui {

class UiMailbox {
 public:
  // Made on the user-interface thread.
  UiMailbox();
  // Tasks not yet run are dropped, also those already on their way.
  ~UiMailbox();
  UiMailbox(const UiMailbox&) = delete;
  UiMailbox& operator=(const UiMailbox&) = delete;

  // From any thread: the task runs on the user-interface thread soon, in posting order.
  void Post(std::function<void()> task);

 private:
  struct Shared;
  static void Deliver(void* data);
  std::shared_ptr<Shared> shared_;
};

}  // namespace vx::ui
