// A horizontal slider with tick marks below its groove, for choosing a whole number in a range.
#pragma once

#include <FL/Fl_Slider.H>

namespace vx::builder {

class TrackBar : public Fl_Slider {
 public:
  // Ticks every tickStep from minimum to maximum.
  TrackBar(int x, int y, int w, int h, int minimum, int maximum, int tickStep);
  int Position() const { return static_cast<int>(value()); }

 protected:
  void draw() override;

 private:
  int tickStep_;
};

}  // namespace vx::builder
