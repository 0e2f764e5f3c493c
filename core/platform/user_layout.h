// Where the builder keeps its settings and the user's folders. Run from the portable layout
// (bin/ beside projects/, graphics/, output/, egraphics/ and doc/ in a folder we may write),
// everything stays in that folder; installed elsewhere, it follows the desktop's conventions.
#pragma once

#include <string>

namespace vx {

struct UserLayout {
  bool portable = false;
  std::string settingsFile;
  // Relative folder texts are taken from here: the program's folder in the portable layout,
  // the Vellumax folder in the user's documents otherwise.
  std::string base;
  // The folders as the settings show them by default.
  std::string projects;
  std::string source;    // where the picture dialogs start
  std::string output;    // new archives
  std::string exported;  // pictures of a ZIP of JPEG files
};

// The folders the desktop names for its user.
struct DesktopFolders {
  std::string config;     // XDG_CONFIG_HOME or ~/.config
  std::string documents;  // XDG_DOCUMENTS_DIR of user-dirs.dirs, else the home folder
  std::string pictures;   // XDG_PICTURES_DIR of user-dirs.dirs, else the home folder
};

// The value of one XDG_<NAME>_DIR line of a user-dirs.dirs text ("$HOME/..." or an absolute
// path), or home when it is missing or malformed.
std::string UserDirFrom(const std::string& dirsText, const std::string& name,
                        const std::string& home);

DesktopFolders OwnDesktopFolders();

// The layout for a program at programPath.
UserLayout ChooseUserLayout(const std::string& programPath, const DesktopFolders& desktop);

// This process's layout, decided once.
const UserLayout& OwnUserLayout();

// A folder text as a full path: backslashes of settings written on Windows become slashes,
// relative texts are taken from the layout's base.
std::string ResolveFolder(const UserLayout& layout, const std::string& text);

}  // namespace vx
