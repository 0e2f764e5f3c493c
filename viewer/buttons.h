// The viewer's buttons: captions in 8-point text on one shared button picture, toggles with
// their up, disabled, pressed and held-down looks, arrow buttons and the key icon.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Widget.H>

#include <string>

namespace vx::viewer {

// Caption on the shared button picture; also used as a toggle (type FL_TOGGLE_BUTTON).
class VxButton : public Fl_Button {
 public:
  VxButton(int x, int y, int w, int h, const char* caption);

 protected:
  void draw() override;
};

enum class Arrow { First, Prior, Next, Last };

class VxArrowButton : public Fl_Button {
 public:
  VxArrowButton(int x, int y, Arrow arrow, const char* hint);

 protected:
  void draw() override;

 private:
  Arrow arrow_;
};

// Something drawn that acts on a click: the hand cursor over it, its callback on a press.
class Clickable : public Fl_Widget {
 public:
  Clickable(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}

 protected:
  int handle(int event) override;
};

// The 32 x 32 key shown while protected areas are locked; a click asks for the password.
class KeyIcon : public Clickable {
 public:
  KeyIcon(int x, int y);

 protected:
  void draw() override;
};

// An underlined link text that opens a web address; lead text may stand before it.
class LinkText : public Clickable {
 public:
  LinkText(int x, int y, int w, int h);
  std::string lead;     // plain text before the link
  std::string text;     // the link's own text
  std::string address;  // opened with "http://" in front when it lacks it
  bool bold = false;
  bool opaque = false;  // on a white ground

 protected:
  void draw() override;
};

}  // namespace vx::viewer
