// Work done in parallel, results used strictly in submission order on the caller's thread,
// with a bounded number of items in flight (so memory stays bounded too).
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <future>
#include <optional>

namespace vx {

template <typename Result>
class OrderedPipeline {
 public:
  explicit OrderedPipeline(size_t inFlight) : inFlight_(inFlight == 0 ? 1 : inFlight) {}
  // Waits for work still running; its results are dropped.
  ~OrderedPipeline() { Abandon(); }

  // work runs on a worker thread; use runs here, in order, with its result. An exception
  // from either comes out of the call that uses the result.
  void Submit(std::function<Result()> work, std::function<void(Result&)> use) {
    items_.push_back({std::async(std::launch::async, std::move(work)), std::move(use), {}});
    Balance();
  }
  // A step without work, kept in order with the others.
  void Then(std::function<void()> step) {
    items_.push_back({{}, {}, std::move(step)});
    Balance();
  }
  void Finish() {
    while (!items_.empty()) RunFront();
  }
  // Lets work not yet begun skip itself, and waits for what runs.
  void Abandon() {
    stopping_ = true;
    items_.clear();
  }
  // Workers may look at this to skip work whose result nobody will use.
  bool Stopping() const { return stopping_; }

 private:
  struct Item {
    std::future<Result> result;
    std::function<void(Result&)> use;
    std::function<void()> step;
  };

  void Balance() {
    while (items_.size() > inFlight_) RunFront();
  }

  void RunFront() {
    Item item = std::move(items_.front());
    items_.pop_front();
    if (item.step) {
      item.step();
    } else {
      Result result = item.result.get();
      item.use(result);
    }
  }

  size_t inFlight_;
  std::deque<Item> items_;
  std::atomic<bool> stopping_{false};
};

}  // namespace vx
