// Setting the desktop's wallpaper through the running desktop's own mechanism.
#pragma once

#include <functional>
#include <string>

namespace vx {

// The file the wallpaper picture is written to: in the user's data folder.
std::string WallpaperPath();

// Sets the picture file as wallpaper on GNOME and its relatives (gsettings), KDE Plasma and
// Xfce; false when no supported desktop is found or its tool fails.
bool SetDesktopWallpaper(const std::string& path);

// Tests replace the desktop; returns the previous setter.
using WallpaperSetter = std::function<bool(const std::string& path)>;
WallpaperSetter InstallWallpaperSetter(WallpaperSetter setter);

}  // namespace vx
