#include "ui/scaled_layout.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Tooltip.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <gtest/gtest.h>

#include "platform/ui_scale.h"

namespace vx::ui {
namespace {

struct Rect {
  int x, y, w, h;
  bool operator==(const Rect&) const = default;
};

Rect Of(const Fl_Widget& widget) { return {widget.x(), widget.y(), widget.w(), widget.h()}; }

// What a 96-dpi rectangle becomes: its edges scaled from the corner of its window.
Rect ScaledRect(int x, int y, int w, int h) {
  return {Scaled(x), Scaled(y), Scaled(x + w) - Scaled(x), Scaled(y + h) - Scaled(y)};
}

TEST(ScaledLayout, ScalesATreeOnceFromItsWindowsCorners) {
  Fl_Double_Window window(300, 200, "scaled");
  window.position(40, 30);
  auto* group = new Fl_Group(10, 10, 200, 100);
  auto* left = new Fl_Button(20, 20, 45, 23, "Left");
  auto* right = new Fl_Button(65, 20, 45, 23, "Right");  // touches Left at 96 dpi
  left->labelsize(11);
  auto* input = new Fl_Input(20, 50, 150, 23);
  input->textsize(12);
  group->end();
  auto* browser = new Fl_Browser(10, 120, 100, 60);
  auto* inner = new Fl_Window(220, 120, 70, 60);  // children placed from its own corner
  auto* box = new Fl_Box(5, 7, 33, 21, "box");
  inner->end();
  window.end();
  window.resizable(group);
  ScaleWidgetTree(window);

  EXPECT_EQ(window.x(), 40) << "a window keeps its place on the screen";
  EXPECT_EQ(window.y(), 30);
  EXPECT_EQ(window.w(), Scaled(300));
  EXPECT_EQ(window.h(), Scaled(200));
  EXPECT_EQ(Of(*group), ScaledRect(10, 10, 200, 100));
  EXPECT_EQ(Of(*left), ScaledRect(20, 20, 45, 23));
  EXPECT_EQ(left->x() + left->w(), right->x()) << "neighbours still touch";
  EXPECT_EQ(Of(*inner), ScaledRect(220, 120, 70, 60));
  EXPECT_EQ(Of(*box), ScaledRect(5, 7, 33, 21));
  EXPECT_EQ(left->labelsize(), Scaled(11));
  EXPECT_EQ(right->labelsize(), Scaled(FL_NORMAL_SIZE));
  EXPECT_EQ(input->textsize(), Scaled(12));
  EXPECT_EQ(browser->textsize(), Scaled(FL_NORMAL_SIZE));
  EXPECT_EQ(box->labelsize(), Scaled(FL_NORMAL_SIZE));

  // Later resizes start from the scaled layout.
  window.resize(window.x(), window.y(), window.w() + 40, window.h());
  EXPECT_EQ(group->w(), ScaledRect(10, 10, 200, 100).w + 40);
  const Rect beside = ScaledRect(220, 120, 70, 60);
  EXPECT_EQ(Of(*inner), (Rect{beside.x + 40, beside.y, beside.w, beside.h}))
      << "right of the resizable group, it moves along";
}

TEST(ScaledLayout, AGroupKeepsItsPlaceAndScalesFromThere) {
  Fl_Double_Window window(400, 300);
  auto* group = new Fl_Group(100, 50, 120, 40);
  auto* button = new Fl_Button(110, 60, 50, 20, "OK");
  group->end();
  window.end();
  ScaleWidgetTree(*group);
  EXPECT_EQ(window.w(), 400) << "only the group was scaled";
  EXPECT_EQ(Of(*group), (Rect{100, 50, Scaled(120), Scaled(40)}));
  EXPECT_EQ(Of(*button), (Rect{100 + Scaled(10), 50 + Scaled(10), Scaled(60) - Scaled(10),
                               Scaled(30) - Scaled(10)}));
}

TEST(ScaledLayout, ToolkitSizesFollowTheFactor) {
  ScaleToolkit();
  ScaleToolkit();  // sets sizes outright: a second call changes nothing
  EXPECT_EQ(Fl::scrollbar_size(), Scaled(16));
  EXPECT_EQ(Fl_Tooltip::size(), Scaled(FL_NORMAL_SIZE));
  const Fl_Group& messageBox = *fl_message_icon()->parent();
  for (int i = 0; i < messageBox.children(); ++i) {
    if (messageBox.child(i) != fl_message_icon()) {
      EXPECT_EQ(messageBox.child(i)->labelsize(), Scaled(FL_NORMAL_SIZE));
    }
  }
}

}  // namespace
}  // namespace vx::ui
