#include "platform/desktop.h"

#include <cctype>

#include "platform/process.h"

namespace vx {
namespace {

DesktopOpener& Opener() {
  static DesktopOpener opener = [](const std::string& target) {
    StartProgram("xdg-open", {target});
  };
  return opener;
}

}  // namespace

void OpenWithDesktop(const std::string& target) { Opener()(target); }

namespace {

// "https://", "ftp://" and the like: letters, then letters, digits, "+", "-" or ".", then
// "://". Without the slashes "host:8080" would pass for one.
bool HasScheme(const std::string& address) {
  const size_t end = address.find("://");
  if (end == std::string::npos || end == 0 || !std::isalpha(static_cast<unsigned char>(address[0])))
    return false;
  for (size_t i = 1; i < end; ++i) {
    const auto c = static_cast<unsigned char>(address[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

}  // namespace

std::string WebAddress(const std::string& address) {
  return address.find("http://") == std::string::npos && !HasScheme(address) ? "http://" + address
                                                                             : address;
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
