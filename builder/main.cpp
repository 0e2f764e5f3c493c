#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include "platform/startup.h"
#include "ui/event_loop.h"

int main(int argc, char** argv) {
  if (vx::RunStartupSteps(vx::OwnStartupOptions(argc, argv))) return 0;
  Fl_Double_Window window(1024, 700, "Vellumax");
  window.end();
  window.show();
  return vx::ui::RunEventLoop();
}
