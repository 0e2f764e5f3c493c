// Handing addresses and files to the desktop.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

// Opens an address or file with the desktop's default handler (xdg-open here); false when
// that cannot be started.
bool OpenWithDesktop(const std::string& target);

// A web address as archives give it, trimmed, with "http://" put in front when it names no
// scheme ("https://x" and "mailto:x" stay as they are).
std::string WebAddress(const std::string& address);

// Tests replace the desktop; returns the previous handler.
using DesktopOpener = std::function<bool(const std::string&)>;
DesktopOpener InstallDesktopOpener(DesktopOpener opener);

// The files of a drop from a file manager: one URI or path a line ("file:///a%20b.jpg"),
// percent escapes decoded; lines of other schemes are left out.
std::vector<std::string> DroppedFiles(std::string_view text);

}  // namespace vx
