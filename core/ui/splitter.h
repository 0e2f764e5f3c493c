// The bar between a strip and what lies beside it: dragging it says where its left edge is
// wanted, letting go says the drag has ended. The owner lays things out.
#pragma once

#include <FL/Fl_Box.H>

#include <functional>

namespace vx::ui {

class Splitter : public Fl_Box {
 public:
  Splitter(Fl_Boxtype box, int x, int y, int w, int h) : Fl_Box(box, x, y, w, h, nullptr) {}

  std::function<void(int left)> OnDrag;
  std::function<void()> OnRelease;

  int handle(int event) override;

 private:
  int grab_ = 0;  // where on the bar it was taken
};

}  // namespace vx::ui
