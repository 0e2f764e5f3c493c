// Where extracted pictures go, and when a picture may become the wallpaper. The archive
// decides the names, so every path is kept inside the folder the user chose.
#pragma once

#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "picture/geometry.h"

namespace vx::viewer {

// ':' as '-', '\' as the separator, and the folders all paths share removed (compared without
// regard to case, as the Windows paths of archives mean them); names keep their own case, which
// a case-sensitive file system tells apart: C:\Trips\2004\Rome\a.jpg and
// c:\trips\2004\Paris\b.jpg give Rome\a.jpg and Paris\b.jpg.
std::vector<std::string> RelativePaths(std::vector<std::string> paths);

// The file name of a source path, with either separator.
std::string FileNameOf(const std::string& path);

// The file an extracted picture is written to: the folder, then the path's folders ('\' or
// '/') without ".", "..", empty or root parts, and its file name with ".jpg". Never outside
// the folder; a path with no name left gives fallbackName.
std::string ExtractionTarget(const std::string& folder, const std::string& path,
                             const std::string& fallbackName);

// Targets that repeat an earlier one, or that taken says are in use, get " (2)", " (3)" before
// ".jpg", as the ZIP of JPEG files names them; no two targets are left the same.
void NumberTargets(std::vector<std::string>& targets,
                   const std::function<bool(const std::string&)>& taken);

// Asks whether the files already in the folder under the names of pictures to save are kept
// (Yes, the answer Enter gives) or replaced.
std::string KeepQuestion(const std::string& folder, const std::vector<std::string>& present);

// Why a file or folder could not be made, as the end of a plain sentence.
std::string PlainReason(std::error_code reason);

inline constexpr const char* kPictureMissing = "its picture is missing or damaged in this archive";

// A picture that was not saved: its file's name and why.
struct NotSaved {
  std::string name, why;
};
// What an extraction tells at its end: "N pictures saved to FOLDER." and which were not.
std::string ExtractionReport(int saved, const std::string& folder,
                             const std::vector<NotSaved>& failed);

// Close enough to the screen in size and shape to be a wallpaper.
bool WallpaperAllowed(Size picture, Size screen);

}  // namespace vx::viewer
