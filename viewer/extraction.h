// Where extracted pictures go, and when a picture may become the wallpaper. The archive
// decides the names, so every path is kept inside the folder the user chose.
#pragma once

#include <string>
#include <vector>

#include "picture/geometry.h"

namespace vx::viewer {

// Upper-cased, ':' as '-', '\' as the separator, and the folders all paths share removed:
// C:\Trips\2004\Rome\a.jpg and C:\Trips\2004\Paris\b.jpg give ROME\A.JPG and PARIS\B.JPG.
std::vector<std::string> RelativePaths(std::vector<std::string> paths);

// The file name of a source path, with either separator.
std::string FileNameOf(const std::string& path);

// The file an extracted picture is written to: the folder, then the path's folders ('\' or
// '/') without ".", "..", empty or root parts, and its file name with ".jpg". Never outside
// the folder; a path with no name left gives fallbackName.
std::string ExtractionTarget(const std::string& folder, const std::string& path,
                             const std::string& fallbackName);

// Close enough to the screen in size and shape to be a wallpaper.
bool WallpaperAllowed(Size picture, Size screen);

}  // namespace vx::viewer
