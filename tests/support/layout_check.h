// Checks for windows laid out at any scale: every visible widget inside its window, and no
// label cut by its widget (measured with the widget's own font against FLTK's rules for
// where labels go). Include after gtest: X11's macros would break it.
#pragma once

#include <FL/Fl_Browser_.H>
#include <FL/Fl_Input_.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <sstream>
#include <string>
#include <vector>

namespace vx::test {
namespace layout_check {

inline std::string Describe(Fl_Widget& widget) {
  std::ostringstream text;
  text << (widget.label() ? widget.label() : "(no label)") << " at " << widget.x() << ","
       << widget.y() << " " << widget.w() << "x" << widget.h();
  return text.str();
}

// What a widget's label needs, by FLTK's own rules for where labels go.
inline void CheckLabel(Fl_Widget& widget, Fl_Window& window, std::vector<std::string>& faults) {
  if (!widget.label() || !*widget.label() || widget.labeltype() != FL_NORMAL_LABEL) return;
  fl_font(widget.labelfont(), widget.labelsize());
  int textWidth = 0, textHeight = 0;
  fl_measure(widget.label(), textWidth, textHeight);
  const Fl_Align align = widget.align();
  const bool sideways = (align & (FL_ALIGN_LEFT | FL_ALIGN_RIGHT)) != 0;
  const bool outside =
      !(align & FL_ALIGN_INSIDE) && ((align & (FL_ALIGN_TOP | FL_ALIGN_BOTTOM)) || sideways ||
                                     widget.as_group() || dynamic_cast<const Fl_Input_*>(&widget));
  if (outside) {
    // Above the widget (the only outside place used): the window must hold it.
    if (widget.y() - textHeight < 0 || widget.x() + textWidth > window.w())
      faults.push_back("label outside the window: " + Describe(widget));
    return;
  }
  int room = widget.w() - Fl::box_dw(widget.box());
  if (dynamic_cast<const Fl_Light_Button*>(&widget)) {
    room = widget.w() - widget.labelsize() - 2 * (Fl::box_dx(widget.box()) + 2);
  } else if (sideways && room > 11) {
    room -= 6;
  }
  if (textWidth > room || textHeight > widget.h())
    faults.push_back("text clipped (" + std::to_string(textWidth) + "x" +
                     std::to_string(textHeight) + " needed): " + Describe(widget));
}

// Scrolled contents and the parts of composite widgets are not laid out by us.
inline bool LaidOutByUs(Fl_Group& group) {
  return !dynamic_cast<const Fl_Scroll*>(&group) && !dynamic_cast<const Fl_Browser_*>(&group) &&
         !dynamic_cast<const Fl_Text_Display*>(&group);
}

inline void CheckChildren(Fl_Group& group, Fl_Window& window, std::vector<std::string>& faults) {
  for (int i = 0; i < group.children(); ++i) {
    Fl_Widget& child = *group.child(i);
    if (!child.visible()) continue;
    if (child.x() < 0 || child.y() < 0 || child.x() + child.w() > window.w() ||
        child.y() + child.h() > window.h())
      faults.push_back("outside its window: " + Describe(child));
    CheckLabel(child, window, faults);
    if (Fl_Group* inner = child.as_group(); inner && LaidOutByUs(*inner)) {
      CheckChildren(*inner, child.as_window() ? *child.as_window() : window, faults);
    }
  }
}

}  // namespace layout_check

// Every visible widget inside the window with its text uncut; the faults found, one a line.
inline std::vector<std::string> LayoutFaults(Fl_Window& window) {
  std::vector<std::string> faults;
  layout_check::CheckChildren(window, window, faults);
  return faults;
}

}  // namespace vx::test
