// A picture shown at its real size or stretched to a size of its own, for the picture
// management dialog (its Image1) and the scale dialog that changes how it is shown.
#pragma once

#include <FL/Fl_Widget.H>

#include "picture/bitmap.h"

namespace vx::builder {

class PictureBox : public Fl_Widget {
 public:
  PictureBox(int x, int y);

  // The widget takes the picture's size.
  void SetPicture(Bitmap picture);
  const Bitmap& Picture() const { return picture_; }
  Size RealSize() const { return {picture_.Width(), picture_.Height()}; }

  void ShowRealSize();
  // Nearest-neighbour stretching, as the platform's own.
  void ShowStretched(Size size);
  bool Stretched() const { return stretched_; }

 protected:
  void draw() override;

 private:
  void Resize(Size size);

  Bitmap picture_;
  Bitmap shown_;  // the stretched picture, made when first drawn
  bool stretched_ = false;
};

}  // namespace vx::builder
