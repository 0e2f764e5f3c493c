#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include "forms.h"
#include "platform/startup.h"
#include "platform/user_layout.h"
#include "ui/event_loop.h"
#include "ui/scaled_layout.h"

int main(int argc, char** argv) {
  if (vx::RunStartupSteps(vx::OwnStartupOptions(argc, argv))) return 0;
  vx::ui::ScaleToolkit();
  Fl::visual(FL_DOUBLE | FL_RGB);
  Fl_Double_Window window(1024, 700, "Vellumax");
  window.end();
  vx::ui::ScaleWidgetTree(window);
  vx::builder::Forms forms(vx::OwnUserLayout());
  window.show();
  // The first activation: the user's folders exist, then the start dialog offers its choices.
  while (!window.visible()) Fl::wait();
  forms.settings.User().CreateFolders();
  forms.start.Execute(!forms.settings.User().LastProject().empty());
  return vx::ui::RunEventLoop();
}
