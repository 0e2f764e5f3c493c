#include "platform/desktop.h"

#include <algorithm>
#include <cctype>

#include "platform/process.h"

namespace vx {
namespace {

DesktopOpener& Opener() {
  static DesktopOpener opener = [](const std::string& target) {
    return StartProgram("xdg-open", {target});
  };
  return opener;
}

}  // namespace

bool OpenWithDesktop(const std::string& target) { return Opener()(target); }

std::string WebAddress(const std::string& address) {
  const size_t first = address.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "http://";
  const std::string trimmed =
      address.substr(first, address.find_last_not_of(" \t\r\n") - first + 1);
  // A scheme: a letter, then letters, digits, '+', '-' or '.', then "://" (or "mailto:").
  const size_t colon = trimmed.find(':');
  if (colon == std::string::npos || colon == 0) return "http://" + trimmed;
  std::string scheme = trimmed.substr(0, colon);
  const bool named =
      std::isalpha(static_cast<unsigned char>(scheme[0])) &&
      std::all_of(scheme.begin(), scheme.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
      });
  for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (named && (trimmed.compare(colon, 3, "://") == 0 || scheme == "mailto")) return trimmed;
  return "http://" + trimmed;
}

DesktopOpener InstallDesktopOpener(DesktopOpener opener) {
  std::swap(Opener(), opener);
  return opener;
}

std::vector<std::string> DroppedFiles(std::string_view text) {
  std::vector<std::string> files;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty()) continue;
    if (line.starts_with("file://")) {
      line.remove_prefix(7);
      // "file://host/path": only this machine's files can be opened.
      const size_t slash = line.find('/');
      if (slash == std::string_view::npos) continue;
      line.remove_prefix(slash);
      std::string path;
      for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '%' && i + 2 < line.size() &&
            std::isxdigit(static_cast<unsigned char>(line[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(line[i + 2]))) {
          path += static_cast<char>(std::stoi(std::string(line.substr(i + 1, 2)), nullptr, 16));
          i += 2;
        } else {
          path += line[i];
        }
      }
      files.push_back(std::move(path));
    } else if (line.starts_with("/")) {
      files.emplace_back(line);
    }
  }
  return files;
}

}  // namespace vx
