#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>

namespace vx {
namespace {

std::string XdgFolder(const char* variable, const char* fallbackBelowHome) {
  const char* value = std::getenv(variable);
  if (value && *value == '/') return value;
  return (std::filesystem::path(UserHomeFolder()) / fallbackBelowHome).string();
}

}  // namespace

std::string UserHomeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? home : "/tmp";
}

std::string OwnProgramPath() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

std::string OwnProgramFolder() {
  return std::filesystem::path(OwnProgramPath()).parent_path().string();
}

std::string UserCacheFolder() { return XdgFolder("XDG_CACHE_HOME", ".cache"); }

std::string UserDataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }

std::string UserConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

}  // namespace vx
