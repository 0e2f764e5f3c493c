#include <FL/Fl.H>

#include <cstdio>

#include "platform/display.h"
#include "ui/dialogs.h"

namespace {

constexpr const char* kNoArchive = "To make new archive run Vellumax.exe";

// Without an archive description there is nothing to show.
int Refuse() {
  if (vx::DisplayAvailable()) {
    vx::ui::CurrentDialogs().ShowMessage(kNoArchive, vx::ui::MessageKind::Information);
  } else {
    std::fprintf(stderr, "%s\n", kNoArchive);
  }
  return 1;
}

}  // namespace

int main() { return Refuse(); }
