// File and folder dialogs may change the current folder, and relative paths depend on it:
// every dialog runs inside one of these.
#pragma once

#include <filesystem>

namespace vx {

class KeepCurrentFolder {
 public:
  KeepCurrentFolder() : folder_(std::filesystem::current_path(error_)) {}
  ~KeepCurrentFolder() {
    std::error_code ignored;
    if (!error_) std::filesystem::current_path(folder_, ignored);
  }
  KeepCurrentFolder(const KeepCurrentFolder&) = delete;
  KeepCurrentFolder& operator=(const KeepCurrentFolder&) = delete;

 private:
  std::error_code error_;
  std::filesystem::path folder_;
};

}  // namespace vx
