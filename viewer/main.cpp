#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include <cstdio>

#include "blocks/data_blocks.h"
#include "platform/display.h"
#include "platform/startup.h"
#include "ui/dialogs.h"

namespace {

constexpr const char* kNoArchive = "To make new archive run Vellumax.exe";
constexpr const char* kDescriptionBlock = "PIG_TXT";

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

int main(int argc, char** argv) {
  if (vx::RunStartupSteps(vx::OwnStartupOptions(argc, argv))) return 0;
  if (vx::ReadBlock(kDescriptionBlock).empty()) return Refuse();
  Fl_Double_Window window(1024, 700, "Vellumax");
  window.end();
  window.show();
  return Fl::run();
}
