#include "extraction.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "platform/files.h"
#include "text/text_case.h"

namespace vx::viewer {

namespace fs = std::filesystem;

std::vector<std::string> RelativePaths(std::vector<std::string> paths) {
  if (paths.empty()) return paths;
  for (std::string& path : paths) {
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
    const std::string key = Utf8Upper(first);
    if (!std::all_of(paths.begin(), paths.end(),
                     [&](const std::string& p) { return Utf8Upper(head(p)) == key; }))
      break;
    for (std::string& path : paths) {
      if (path.find('\\') == std::string::npos) break;
      path.erase(0, head(path).size());
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

void NumberTargets(std::vector<std::string>& targets,
                   const std::function<bool(const std::string&)>& taken) {
  std::set<std::string> used;
  for (std::string& target : targets) {
    const fs::path path(target);
    const std::string folder = path.parent_path().string();
    const std::string name =
        NumberedFileName(path.stem().string(), ".jpg", [&](const std::string& candidate) {
          const std::string full = (fs::path(folder) / candidate).string();
          return used.count(full) > 0 || (taken && taken(full));
        });
    target = (fs::path(folder) / name).string();
    used.insert(target);
  }
}

std::string KeepQuestion(const std::string& folder, const std::vector<std::string>& present) {
  constexpr size_t kNamesShown = 5;
  std::string names;
  for (size_t k = 0; k < present.size() && k < kNamesShown; ++k) {
    names += (k ? ", " : "") + fs::path(present[k]).lexically_relative(folder).string();
  }
  if (present.size() > kNamesShown)
    names += " and " + std::to_string(present.size() - kNamesShown) + " more";
  const std::string count =
      present.size() == 1 ? "A file" : std::to_string(present.size()) + " files";
  return count + " in " + folder + " already " + (present.size() == 1 ? "has" : "have") +
         " the name of a picture to save (" + names + "). Keep " +
         (present.size() == 1 ? "it" : "them") +
         " and save the pictures under new names, such as \"" +
         fs::path(present.front()).stem().string() + " (2).jpg\"?\n\nNo replaces " +
         (present.size() == 1 ? "it." : "them.");
}

std::string PlainReason(std::error_code reason) {
  const std::errc code = static_cast<std::errc>(reason.value());
  if (reason.category() != std::generic_category() && reason.category() != std::system_category())
    return reason.message();
  switch (code) {
    case std::errc::no_space_on_device:
      return "the disk is full";
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
      return "you may not write there";
    case std::errc::read_only_file_system:
      return "the disk can only be read";
    case std::errc::not_a_directory:
    case std::errc::file_exists:
      return "a file stands where a folder of its path should be";
    case std::errc::is_a_directory:
      return "a folder of that name is in the way";
    case std::errc::filename_too_long:
      return "the name is too long";
    default:
      return "the system says: " + reason.message();
  }
}

std::string ExtractionReport(int saved, const std::string& folder,
                             const std::vector<NotSaved>& failed) {
  std::string text = saved == 1 ? "1 picture saved to " + folder + "."
                                : std::to_string(saved) + " pictures saved to " + folder + ".";
  if (failed.empty()) return text;
  text += failed.size() == 1
              ? "\n\nThis one could not be saved:"
              : "\n\nThese " + std::to_string(failed.size()) + " could not be saved:";
  for (const NotSaved& item : failed) text += "\n" + item.name + ": " + item.why + ".";
  return text;
}

bool WallpaperAllowed(Size picture, Size screen) {
  if (picture.width <= 0 || picture.height <= 0 || screen.height <= 0) return false;
  return screen.width - picture.width <= 200 && screen.height - picture.height <= 300 &&
         std::fabs(static_cast<double>(picture.width) / picture.height -
                   static_cast<double>(screen.width) / screen.height) < 0.15;
}

}  // namespace vx::viewer
