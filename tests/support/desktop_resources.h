// The X resources a desktop publishes (what xrdb sets), for tests of programs that read them.
#pragma once

#include <string>

namespace vx::test {

// Replaces the resources of the display in DISPLAY; false when it cannot be opened.
bool SetDesktopResources(const std::string& resources);

}  // namespace vx::test
