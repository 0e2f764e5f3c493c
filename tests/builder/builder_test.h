// Shared by the builder's dialog tests: scripted dialogs, and a portable layout in a folder of
// the test's own, so settings and folders never touch the user's.
#pragma once

// gtest before the window headers: X11's macros (None) would break it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/user_layout.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/ui_events.h"

namespace vx::test {

// Clicks a widget of a dialog that the script has on the screen.
inline void ClickOn(Fl_Widget& widget) {
  Fl_Window& window = *widget.window();
  window.show();
  Settle();
  Click(window, widget.x() + widget.w() / 2, widget.y() + widget.h() / 2);
}

class BuilderTest : public testing::Test {
 protected:
  BuilderTest() {
    for (const char* folder : {"bin", "projects", "graphics", "output", "egraphics", "doc"})
      std::filesystem::create_directories(dir_.Path() / folder);
  }
  UserLayout Layout() const { return ChooseUserLayout(dir_ / "bin/Vellumax", {}); }
  std::string SettingsFile() const { return dir_ / "bin/Vellumax.set"; }

  TempFolder dir_;
  ScriptedDialogsScope dialogs_;
};

}  // namespace vx::test
