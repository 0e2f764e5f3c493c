#include "ui/scaled_layout.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Help_View.H>
#include <FL/Fl_Input_.H>
#include <FL/Fl_Menu_.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Tooltip.H>
#include <FL/Fl_Value_Input.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>

#include "platform/ui_scale.h"

namespace vx::ui {
namespace {

constexpr int kScrollbarSize = 16;  // FLTK's own default
constexpr int kMessageTextSize = 14;

template <typename T>
bool ScaleTextOf(Fl_Widget& widget) {
  auto* typed = dynamic_cast<T*>(&widget);
  if (typed) typed->textsize(Scaled(typed->textsize()));
  return typed != nullptr;
}

// Browsers before their base, whose textsize() does not re-measure the lines.
void ScaleTextSize(Fl_Widget& widget) {
  ScaleTextOf<Fl_Browser>(widget) || ScaleTextOf<Fl_Browser_>(widget) ||
      ScaleTextOf<Fl_Input_>(widget) || ScaleTextOf<Fl_Menu_>(widget) ||
      ScaleTextOf<Fl_Text_Display>(widget) || ScaleTextOf<Fl_Help_View>(widget) ||
      ScaleTextOf<Fl_Value_Input>(widget) || ScaleTextOf<Fl_Value_Output>(widget) ||
      ScaleTextOf<Fl_Value_Slider>(widget) || ScaleTextOf<Fl_Counter>(widget);
}

// Where a coordinate system's corner was and is; a window starts a system of its own.
struct Origin {
  int oldX = 0, oldY = 0, newX = 0, newY = 0;
};

// Edges are scaled rather than sizes, so widgets that touch at 96 dpi still touch.
void ScaleGeometry(Fl_Widget& widget, const Origin& o) {
  const int left = o.newX + Scaled(widget.x() - o.oldX);
  const int top = o.newY + Scaled(widget.y() - o.oldY);
  const int right = o.newX + Scaled(widget.x() + widget.w() - o.oldX);
  const int bottom = o.newY + Scaled(widget.y() + widget.h() - o.oldY);
  widget.Fl_Widget::resize(left, top, right - left, bottom - top);
}

// The widget's own geometry is scaled already; its fonts and its children follow.
void ScaleContents(Fl_Widget& widget, const Origin& origin) {
  widget.labelsize(Scaled(widget.labelsize()));
  ScaleTextSize(widget);
  Fl_Group* group = widget.as_group();
  if (!group) return;
  const Origin inner = group->as_window() ? Origin{} : origin;
  for (int i = 0; i < group->children(); ++i) {
    ScaleGeometry(*group->child(i), inner);
    ScaleContents(*group->child(i), inner);
  }
}

// Groups forget the sizes they would resize from, and every widget with a layout of its own
// (scroll bars, strips, views) lays itself out again at its new size, children first.
void Settle(Fl_Widget& widget) {
  if (Fl_Group* group = widget.as_group()) {
    for (int i = 0; i < group->children(); ++i) Settle(*group->child(i));
    group->init_sizes();
  }
  widget.resize(widget.x(), widget.y(), widget.w(), widget.h());
}

}  // namespace

void ScaleToolkit() {
  Fl::scrollbar_size(Scaled(kScrollbarSize));
  Fl_Tooltip::size(Scaled(FL_NORMAL_SIZE));
  fl_message_font(FL_HELVETICA, Scaled(kMessageTextSize));
  // The message box is made once; its buttons are its children besides text and icon.
  if (Fl_Widget* icon = fl_message_icon(); icon && icon->parent()) {
    Fl_Group& box = *icon->parent();
    for (int i = 0; i < box.children(); ++i) {
      if (box.child(i) != icon) box.child(i)->labelsize(Scaled(FL_NORMAL_SIZE));
    }
  }
}

void ScaleWidgetTree(Fl_Widget& root) {
  const Origin origin{root.x(), root.y(), root.x(), root.y()};
  ScaleGeometry(root, origin);
  ScaleContents(root, origin);
  Settle(root);
}

}  // namespace vx::ui
