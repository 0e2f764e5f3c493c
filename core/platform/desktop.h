// Handing addresses and files to the desktop.
#pragma once

#include <functional>
#include <string>

namespace vx {

// Opens an address or file with the desktop's default handler (xdg-open here); quietly
// does nothing when that cannot be started.
void OpenWithDesktop(const std::string& target);

// A web address as archives give it, with "http://" put in front when it does not contain it.
std::string WebAddress(const std::string& address);

// Tests replace the desktop; returns the previous handler.
using DesktopOpener = std::function<void(const std::string&)>;
DesktopOpener InstallDesktopOpener(DesktopOpener opener);

}  // namespace vx
