#include "password_check.h"

#include <FL/Fl.H>
#include <sodium.h>

#include <atomic>
#include <new>

namespace vx::viewer {

// Shared by the worker and the answer waiting in FLTK's queue, so neither outlives it.
struct PasswordCheckJob::Outcome {
  PasswordCheckJob* job;
  PasswordCheck check = PasswordCheck::Wrong;
  AreaLock areas;
  std::atomic<bool> abandoned{false};
};

PasswordCheckJob::~PasswordCheckJob() {
  if (outcome_) outcome_->abandoned = true;
  if (worker_.joinable()) worker_.join();
}

void PasswordCheckJob::Start(ArchivePassword password, std::string typed, Answer answer) {
  // FLTK hands work back from other threads once its lock has been taken on this one.
  [[maybe_unused]] static const bool threadsReady = [] {
    Fl::lock();
    return true;
  }();
  if (worker_.joinable()) worker_.join();
  running_ = true;
  auto outcome = std::make_shared<Outcome>();
  outcome->job = this;
  outcome_ = outcome;
  answer_ = std::move(answer);
  worker_ =
      std::thread([outcome, password = std::move(password), typed = std::move(typed)]() mutable {
        try {
          outcome->check = password.Check(typed, outcome->areas);
        } catch (const std::bad_alloc&) {
          outcome->check = PasswordCheck::OutOfMemory;
        } catch (const std::exception&) {
          outcome->check = PasswordCheck::Refused;
        }
        // Only the area key stays; the typed text goes.
        sodium_memzero(typed.data(), typed.size());
        Fl::awake(Deliver, new std::shared_ptr<Outcome>(outcome));
      });
}

void PasswordCheckJob::Deliver(void* data) {
  const std::unique_ptr<std::shared_ptr<Outcome>> held(
      static_cast<std::shared_ptr<Outcome>*>(data));
  const std::shared_ptr<Outcome>& outcome = *held;
  if (outcome->abandoned) return;
  PasswordCheckJob& job = *outcome->job;
  job.running_ = false;
  if (job.answer_) job.answer_(outcome->check, outcome->areas);
}

}  // namespace vx::viewer
