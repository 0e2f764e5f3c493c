#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include "platform/startup.h"
#include "ui/event_loop.h"
#include "ui/scaled_layout.h"

int main(int argc, char** argv) {
  if (vx::RunStartupSteps(vx::OwnStartupOptions(argc, argv))) return 0;
  vx::ui::ScaleToolkit();
  Fl_Double_Window window(1024, 700, "Vellumax");
  window.end();
  vx::ui::ScaleWidgetTree(window);
  window.show();
  return vx::ui::RunEventLoop();
}
