#include <FL/Fl.H>

#include <exception>
#include <filesystem>
#include <string>

#include "forms.h"
#include "main_window.h"
#include "platform/startup.h"
#include "platform/user_layout.h"
#include "ui/dialogs.h"
#include "ui/event_loop.h"
#include "ui/font_fallback_driver.h"
#include "ui/scaled_layout.h"

// Vellumax [PROJECT.vxpr]: a project named on the command line opens at once, without the
// start dialog, so a file manager can open projects with the builder.
int main(int argc, char** argv) {
  // Taken before the start-up steps make the program's folder the current one.
  std::string project;
  if (argc > 1 && std::string(argv[1]) != "deltemp") {
    std::error_code ignored;
    project = std::filesystem::absolute(argv[1], ignored).string();
  }
  if (vx::RunStartupSteps(vx::OwnStartupOptions(argc, argv))) return 0;
  vx::ui::UseFontFallback();
  vx::ui::ScaleToolkit();
  Fl::visual(FL_DOUBLE | FL_RGB);
  vx::builder::Forms forms(vx::OwnUserLayout());
  vx::builder::TFmain window(forms);
  // Maximised: the whole work area of the screen.
  int x = 0, y = 0, w = 0, h = 0;
  Fl::screen_work_area(x, y, w, h);
  window.resize(x, y, w, h);
  window.show();
  while (!window.visible()) Fl::wait();
  try {
    window.Start(project);
  } catch (const std::exception& e) {
    // As the event loop reports a failure: the empty new project stays.
    vx::ui::CurrentDialogs().ShowMessage(e.what(), vx::ui::MessageKind::Error);
  }
  return vx::ui::RunEventLoop();
}
