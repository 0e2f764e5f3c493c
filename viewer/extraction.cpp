#include "extraction.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "text/text_case.h"

namespace vx::viewer {

namespace fs = std::filesystem;

std::vector<std::string> RelativePaths(std::vector<std::string> paths) {
  if (paths.empty()) return paths;
  for (std::string& path : paths) {
    path = Utf8Upper(path);
    std::replace(path.begin(), path.end(), ':', '-');
    std::replace(path.begin(), path.end(), '/', '\\');
  }
  const auto head = [](const std::string& path) {
    const size_t slash = path.find('\\');
    return slash == std::string::npos ? path : path.substr(0, slash + 1);
  };
  for (;;) {
    const std::string first = head(paths.front());
    if (paths.front().find('\\') == std::string::npos) break;
    if (!std::all_of(paths.begin(), paths.end(),
                     [&](const std::string& p) { return head(p) == first; }))
      break;
    for (std::string& path : paths) {
      if (path.find('\\') == std::string::npos) break;
      path.erase(0, first.size());
    }
  }
  return paths;
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractionTarget(const std::string& folder, const std::string& path,
                             const std::string& fallbackName) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = path.find_first_of("\\/", start);
    const std::string part = path.substr(start, end == std::string::npos ? end : end - start);
    if (!part.empty() && part != "." && part != "..") parts.push_back(part);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  std::string name = parts.empty() ? fallbackName : parts.back();
  if (!parts.empty()) parts.pop_back();
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  fs::path target(folder);
  for (const std::string& part : parts) target /= part;
  target /= name + ".jpg";
  return target.lexically_normal().string();
}

bool WallpaperAllowed(Size picture, Size screen) {
  if (picture.width <= 0 || picture.height <= 0 || screen.height <= 0) return false;
  return screen.width - picture.width <= 200 && screen.height - picture.height <= 300 &&
         std::fabs(static_cast<double>(picture.width) / picture.height -
                   static_cast<double>(screen.width) / screen.height) < 0.15;
}

}  // namespace vx::viewer
