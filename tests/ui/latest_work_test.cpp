#include "ui/latest_work.h"

#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <vector>

#include "screenshot.h"

namespace vx::ui {
namespace {

// The event loop a while longer, so a result still on its way would arrive.
void RunEventsFor(double seconds) {
  WaitFor([] { return false; }, seconds);
}

TEST(LatestWork, OnlyTheLatestResultIsUsed) {
  LatestWork work;
  std::vector<int> used;
  auto piece = [&used](int value, std::shared_future<void> gate = {}) {
    return [&used, value, gate]() -> std::function<void()> {
      if (gate.valid()) gate.wait();
      return [&used, value] { used.push_back(value); };
    };
  };
  std::promise<void> release;
  work.Start(piece(1, release.get_future().share()));
  work.Start(piece(2));  // waits while the first runs, then gives way to the third
  work.Start(piece(3));
  EXPECT_TRUE(work.Busy());
  release.set_value();
  EXPECT_TRUE(WaitFor([&] { return !work.Busy(); }, 10));
  RunEventsFor(0.2);
  EXPECT_EQ(used, std::vector<int>{3});

  work.Start(piece(4));
  work.Cancel();
  EXPECT_FALSE(work.Busy());
  RunEventsFor(0.2);
  EXPECT_EQ(used, std::vector<int>{3});

  // A piece that fails ends the wait and gives nothing.
  work.Start([]() -> std::function<void()> { throw std::runtime_error("unreadable"); });
  EXPECT_TRUE(WaitFor([&] { return !work.Busy(); }, 10));
  EXPECT_EQ(used, std::vector<int>{3});
}

TEST(LatestWork, EndsWhileAPieceRuns) {
  std::promise<void> release;
  bool used = false;
  {
    LatestWork work;
    std::shared_future<void> gate = release.get_future().share();
    work.Start([gate, &used]() -> std::function<void()> {
      gate.wait();
      return [&used] { used = true; };
    });
    release.set_value();
  }  // waits for the piece; its result is dropped
  RunEventsFor(0.2);
  EXPECT_FALSE(used);
}

}  // namespace
}  // namespace vx::ui
