#include "ui/event_loop.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/scripted_dialogs.h"

namespace vx::ui {
namespace {

TEST(EventLoop, AFailureInAHandlerIsShownAndTheProgramGoesOn) {
  test::ScriptedDialogsScope dialogs;
  Fl_Window window(100, 100);
  window.show();
  Fl::add_timeout(0.01, [](void*) { throw std::runtime_error("Cannot open file x"); });
  Fl::add_timeout(
      0.2, [](void* w) { static_cast<Fl_Window*>(w)->hide(); }, &window);
  EXPECT_EQ(RunEventLoop(), 0);
  EXPECT_EQ(dialogs->messages, std::vector<std::string>{"Cannot open file x"});
}

}  // namespace
}  // namespace vx::ui
