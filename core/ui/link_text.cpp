#include "ui/link_text.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

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

void DrawLinkIcon(int x, int y, int size) {
  const int r = size * 13 / 32, inset = std::max(1, size * 3 / 32);
  const int cx = x + size / 2, cy = y + size / 2;
  fl_color(0x2060C000);
  fl_pie(cx - r, cy - r, 2 * r, 2 * r, 0, 360);
  fl_color(FL_WHITE);
  fl_arc(cx - r, cy - r, 2 * r, 2 * r, 0, 360);
  fl_arc(cx - r / 2, cy - r, r, 2 * r, 0, 360);
  fl_xyline(cx - r, cy, cx + r);
  fl_xyline(cx - r + inset, cy - r / 2, cx + r - inset);
  fl_xyline(cx - r + inset, cy + r / 2, cx + r - inset);
}

LinkIcon::LinkIcon(int x, int y, int size) : Clickable(x, y, size, size) {
  callback([](Fl_Widget* icon, void*) { OpenAddress(static_cast<LinkIcon*>(icon)->address); });
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
