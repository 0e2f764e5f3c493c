#include "platform/user_layout.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "platform/files.h"
#include "platform/paths.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLayoutFolders[] = {"projects", "graphics", "output", "egraphics", "doc"};

bool Writable(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

// The folder above bin/ holds the whole portable layout and we may write in it.
bool IsPortable(const fs::path& top) {
  std::error_code ec;
  for (const char* name : kLayoutFolders) {
    if (!fs::is_directory(top / name, ec)) return false;
  }
  return Writable(top) && Writable(top / "projects") && Writable(top / "output") &&
         Writable(top / "egraphics");
}

}  // namespace

std::string UserDirFrom(const std::string& dirsText, const std::string& name,
                        const std::string& home) {
  const std::string key = "XDG_" + name + "_DIR=";
  std::istringstream lines(dirsText);
  std::string line;
  while (std::getline(lines, line)) {
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
    std::string value = line.substr(start + key.size());
    value.erase(value.find_last_not_of(" \t\r") + 1);
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return home;
    value = value.substr(1, value.size() - 2);
    if (value.starts_with("$HOME")) {
      const std::string rest = value.substr(5);
      if (!rest.empty() && rest.front() != '/') return home;
      // "$HOME/" alone is the home folder itself, which is what the desktop means by it.
      return fs::path(home + rest).lexically_normal().string();
    }
    return value.starts_with("/") ? fs::path(value).lexically_normal().string() : home;
  }
  return home;
}

DesktopFolders OwnDesktopFolders() {
  DesktopFolders folders;
  folders.config = UserConfigFolder();
  std::string dirs;
  try {
    dirs = ReadWholeFile((fs::path(folders.config) / "user-dirs.dirs").string());
  } catch (const std::exception&) {
    // No such file: the desktop names no folders, so the home folder stands for them.
  }
  const std::string home = UserHomeFolder();
  folders.documents = UserDirFrom(dirs, "DOCUMENTS", home);
  folders.pictures = UserDirFrom(dirs, "PICTURES", home);
  return folders;
}

UserLayout ChooseUserLayout(const std::string& programPath, const DesktopFolders& desktop) {
  UserLayout layout;
  const fs::path program(programPath);
  const fs::path folder = program.parent_path();
  if (IsPortable(folder.parent_path())) {
    layout.portable = true;
    layout.settingsFile = fs::path(program).replace_extension(".set").string();
    layout.base = folder.string();
    layout.projects = "../projects";
    layout.source = "../graphics";
    layout.output = "../output";
    layout.exported = "../egraphics";
    return layout;
  }
  const fs::path own = fs::path(desktop.documents) / "Vellumax";
  layout.settingsFile = (fs::path(desktop.config) / "vellumax" / "Vellumax.set").string();
  layout.base = own.string();
  layout.projects = (own / "projects").string();
  layout.source = desktop.pictures;
  layout.output = (own / "output").string();
  layout.exported = (own / "egraphics").string();
  return layout;
}

const UserLayout& OwnUserLayout() {
  static const UserLayout layout = ChooseUserLayout(OwnProgramPath(), OwnDesktopFolders());
  return layout;
}

std::string ResolveFolder(const UserLayout& layout, const std::string& text) {
  std::string path = text;
  std::replace(path.begin(), path.end(), '\\', '/');
  fs::path folder(path);
  if (folder.is_relative()) folder = fs::path(layout.base) / folder;
  std::string resolved = folder.lexically_normal().string();
  if (resolved.size() > 1 && resolved.back() == '/') resolved.pop_back();
  return resolved;
}

}  // namespace vx
