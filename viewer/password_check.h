// A typed password checked on a worker thread: strong protection takes about half a second
// of work, and the window keeps painting meanwhile. The answer comes back on the user
// interface thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "protection/archive_lock.h"

namespace vx::viewer {

class PasswordCheckJob {
 public:
  // The lock opens nothing unless the check is Right.
  using Answer = std::function<void(PasswordCheck check, const AreaLock& areas)>;

  PasswordCheckJob() = default;
  // Waits for a check still running; its answer is dropped.
  ~PasswordCheckJob();
  PasswordCheckJob(const PasswordCheckJob&) = delete;
  PasswordCheckJob& operator=(const PasswordCheckJob&) = delete;

  // From the time Start is called until the answer has been given.
  bool Running() const { return running_; }
  // One check at a time: the caller keeps off while one runs.
  void Start(ArchivePassword password, std::string typed, Answer answer);

 private:
  struct Outcome;
  static void Deliver(void* outcome);

  std::thread worker_;
  std::shared_ptr<Outcome> outcome_;
  Answer answer_;
  bool running_ = false;
};

}  // namespace vx::viewer
