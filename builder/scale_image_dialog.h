// TD_scale_image, "Scale view": a track bar from 10 to 160 per cent that stretches a picture
// box while it moves, so the dialog behind shows the effect at once.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include "picture_box.h"
#include "track_bar.h"

namespace vx::builder {

class TD_scale_image : public Fl_Double_Window {
 public:
  TD_scale_image();

  // Shows the dialog for the picture and returns the chosen scale in per cent. "Ok" keeps
  // what is shown; "Cancel" or closing shows the real size again and answers 100.
  int ScaleView(PictureBox& picture);

  void Reset();
  void TrB1Change();

  TrackBar& TrB1() { return *trackBar_; }
  const char* Label_scale() const { return value_->label(); }
  Fl_Button& OkButton() { return *ok_; }
  Fl_Button& CancelButton() { return *cancel_; }
  Fl_Button& ResetButton() { return *reset_; }

 private:
  void SetValueText(int percent);

  PictureBox* picture_ = nullptr;
  Size real_;
  char valueText_[12] = "100";
  TrackBar* trackBar_;
  Fl_Box* value_;
  Fl_Button* ok_;
  Fl_Button* cancel_;
  Fl_Button* reset_;
};

}  // namespace vx::builder
