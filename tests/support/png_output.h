// Pictures saved under the build's test-output folder, for a person to look at.
#pragma once

#include <filesystem>
#include <string>

#include "screenshot.h"

namespace vx::test {

inline std::string TestOutputPath(const std::string& name) {
  std::filesystem::create_directories("test-output");
  return (std::filesystem::absolute("test-output") / name).string();
}

inline std::string SavePng(const Bitmap& bitmap, const std::string& name) {
  const std::string path = TestOutputPath(name);
  vx::SavePng(bitmap, path);
  return path;
}

inline std::string SaveWindowPng(Fl_Window& window, const std::string& name) {
  const std::string path = TestOutputPath(name);
  vx::SaveWindowPng(window, path);
  return path;
}

}  // namespace vx::test
