// Where things are on this platform.
#pragma once

#include <string>

namespace vx {

// Executable archives carry this extension where the original programs wrote ".exe".
#ifdef _WIN32
inline constexpr const char* kExecutableExtension = ".exe";
#else
inline constexpr const char* kExecutableExtension = ".run";
#endif

// The running program's own file and folder.
std::string OwnProgramPath();
std::string OwnProgramFolder();

// HOME, or /tmp when it is not set.
std::string UserHomeFolder();

// The user's cache, data and configuration folders (XDG_CACHE_HOME, XDG_DATA_HOME,
// XDG_CONFIG_HOME and their defaults).
std::string UserCacheFolder();
std::string UserDataFolder();
std::string UserConfigFolder();

}  // namespace vx
