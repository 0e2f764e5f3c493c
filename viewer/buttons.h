// The viewer's buttons: captions in 8-point text on one shared button picture, toggles with
// their up, disabled, pressed and held-down looks, arrow buttons and the key icon.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Widget.H>

#include <string>

#include "ui/link_text.h"

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

using ui::Clickable;
using ui::LinkText;

// The 32 x 32 key shown while protected areas are locked; a click asks for the password.
class KeyIcon : public Clickable {
 public:
  KeyIcon(int x, int y);

 protected:
  void draw() override;
};

}  // namespace vx::viewer
