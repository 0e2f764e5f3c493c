#include "ui/event_loop.h"

#include <FL/Fl.H>

#include <exception>

#include "ui/dialogs.h"

namespace vx::ui {

int RunEventLoop() {
  for (;;) {
    try {
      return Fl::run();
    } catch (const std::exception& e) {
      CurrentDialogs().ShowMessage(e.what(), MessageKind::Error);
    }
  }
}

}  // namespace vx::ui
