#include "platform/desktop.h"

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

std::string WebAddress(const std::string& address) {
  return address.find("http://") == std::string::npos ? "http://" + address : address;
}

DesktopOpener InstallDesktopOpener(DesktopOpener opener) {
  std::swap(Opener(), opener);
  return opener;
}

}  // namespace vx
