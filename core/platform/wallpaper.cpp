#include "platform/wallpaper.h"

#include <cstdlib>
#include <filesystem>

#include "platform/paths.h"
#include "platform/process.h"
#include "text/text_case.h"

namespace vx {
namespace {

// The file name the wallpaper has always had.
constexpr const char* kWallpaperFile = "kelvellumaxwp.bmp";

bool Run(const std::string& program, const std::vector<std::string>& arguments) {
  return RunProgram(program, arguments) == 0;
}

bool SetWithDesktopTools(const std::string& path) {
  const char* current = std::getenv("XDG_CURRENT_DESKTOP");
  const std::string desktop = AsciiUpper(current ? current : "");
  const std::string uri = "file://" + path;
  if (desktop.find("KDE") != std::string::npos) return Run("plasma-apply-wallpaperimage", {path});
  if (desktop.find("XFCE") != std::string::npos) {
    // Every monitor and workspace keeps its own "last-image" property.
    return Run(
        "sh",
        {"-c",
         "props=$(xfconf-query -c xfce4-desktop -l | grep 'last-image$') && [ -n \"$props\" ] && "
         "for p in $props; do xfconf-query -c xfce4-desktop -p \"$p\" -s \"$1\" || exit 1; done",
         "sh", path});
  }
  if (desktop.find("MATE") != std::string::npos) {
    return Run("gsettings", {"set", "org.mate.background", "picture-filename", path});
  }
  if (desktop.find("CINNAMON") != std::string::npos) {
    return Run("gsettings", {"set", "org.cinnamon.desktop.background", "picture-uri", uri});
  }
  if (desktop.find("GNOME") != std::string::npos || desktop.find("UNITY") != std::string::npos ||
      desktop.find("BUDGIE") != std::string::npos ||
      desktop.find("PANTHEON") != std::string::npos) {
    // The dark variant exists on newer desktops only; failing to set it is no failure.
    const bool set = Run("gsettings", {"set", "org.gnome.desktop.background", "picture-uri", uri});
    if (set) Run("gsettings", {"set", "org.gnome.desktop.background", "picture-uri-dark", uri});
    return set && Run("gsettings",
                      {"set", "org.gnome.desktop.background", "picture-options", "stretched"});
  }
  return false;
}

WallpaperSetter& Setter() {
  static WallpaperSetter setter = SetWithDesktopTools;
  return setter;
}

}  // namespace

std::string WallpaperPath() {
  return (std::filesystem::path(UserDataFolder()) / "vellumax" / kWallpaperFile).string();
}

bool SetDesktopWallpaper(const std::string& path) { return Setter()(path); }

WallpaperSetter InstallWallpaperSetter(WallpaperSetter setter) {
  std::swap(Setter(), setter);
  return setter;
}

}  // namespace vx
