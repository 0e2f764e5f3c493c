#include "ui/link_text.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "platform/desktop.h"
#include "platform/ui_scale.h"
#include "ui/dialogs.h"

namespace vx::ui {

void OpenAddress(const std::string& address) {
  const std::string web = WebAddress(address);
  if (OpenWithDesktop(web)) return;
  CurrentDialogs().ShowMessage(
      "No program to open web pages was found on this computer. Open this address in your "
      "web browser: " +
          web,
      MessageKind::Warning);
}

int Clickable::handle(int event) {
  switch (event) {
    case FL_ENTER:
      fl_cursor(FL_CURSOR_HAND);
      return 1;
    case FL_LEAVE:
      fl_cursor(FL_CURSOR_DEFAULT);
      return 1;
    case FL_PUSH:
      do_callback();
      return 1;
    default:
      return Fl_Widget::handle(event);
  }
}

LinkText::LinkText(int x, int y, int w, int h) : Clickable(x, y, w, h) {
  callback([](Fl_Widget* link, void*) { OpenAddress(static_cast<LinkText*>(link)->address); });
}

void LinkText::draw() {
  if (opaque) fl_rectf(x(), y(), w(), h(), FL_WHITE);
  fl_font(bold ? FL_HELVETICA_BOLD : FL_HELVETICA, Scaled(bold ? 12 : 11));
  const int leadWidth = static_cast<int>(fl_width(lead.c_str()));
  const int linkWidth = static_cast<int>(fl_width(text.c_str()));
  const int left = x() + (w() - leadWidth - linkWidth) / 2, base = y() + h() - Scaled(4);
  fl_color(FL_BLACK);
  fl_draw(lead.c_str(), left, base);
  fl_color(FL_BLUE);
  fl_draw(text.c_str(), left + leadWidth, base);
  fl_xyline(left + leadWidth, base + 1, left + leadWidth + linkWidth);
}

}  // namespace vx::ui
