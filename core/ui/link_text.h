// Things drawn that act on a click, and the underlined link texts that open web addresses.
#pragma once

#include <FL/Fl_Widget.H>

#include <string>

namespace vx::ui {

// The maker's page, where "Made with Vellumax" and the builder's "click here" lead.
inline constexpr const char* kMakerPage = "www.vellumax.com";

// Opens a web address as archives give it (WebAddress); when no program can open it, the
// user is told so, with the address to open by hand.
void OpenAddress(const std::string& address);

// Something drawn that acts on a click: the hand cursor over it, its callback on a press.
class Clickable : public Fl_Widget {
 public:
  Clickable(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}

 protected:
  int handle(int event) override;
};

// A small globe filling a size x size square at (x, y): a link to a web page.
void DrawLinkIcon(int x, int y, int size);

// The globe as a control of its own that opens its address.
class LinkIcon : public Clickable {
 public:
  LinkIcon(int x, int y, int size);
  std::string address;  // opened with OpenAddress

 protected:
  void draw() override { DrawLinkIcon(x(), y(), w()); }
};

// An underlined link text that opens a web address; lead text may stand before it.
class LinkText : public Clickable {
 public:
  LinkText(int x, int y, int w, int h);
  std::string lead;     // plain text before the link
  std::string text;     // the link's own text
  std::string address;  // opened with OpenAddress
  bool bold = false;
  bool opaque = false;  // on a white ground

 protected:
  void draw() override;
};

}  // namespace vx::ui
