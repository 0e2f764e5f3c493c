// The picture at its real size, dragged around with the mouse, or fitted to the screen.
#pragma once

#include <FL/Fl_Group.H>

#include <functional>

#include "picture/bitmap.h"

namespace vx::viewer {

// Where the picture lies in a view of the given size: centred when it is smaller, at a margin
// of 5 (at 96 dpi) otherwise (the scroll area then shows its start).
Point RealSizePlace(Size picture, Size view);
// The fitted size on a screen: inside the screen less the margin on both sides.
Size FitToScreen(Size picture, Size screen);

class TO_real_size_view : public Fl_Group {
 public:
  TO_real_size_view(int x, int y, int w, int h);

  // Shows the picture (a copy); fitted when asked and larger than the screen. False without
  // a picture.
  bool ShowPicture(const Bitmap* picture, bool fit);
  void SetFitMode(bool fit);
  bool FitMode() const { return fitMode_; }
  // The picture's place and size in the view's coordinates.
  Rect PictureRect() const;
  Point ScrollPosition() const;

  // A right click: the owner goes back to its main panel.
  std::function<void()> OnRightClick;

  void resize(int x, int y, int w, int h) override;

 protected:
  int handle(int event) override;
  void draw() override;

 private:
  void PlacePicture();

  Bitmap source_;
  Bitmap shown_;  // the source, or its fitted copy
  bool hasSource_ = false;
  bool fitMode_ = false;
  Point offset_{0, 0};  // the picture's place in the content
  Point scroll_{0, 0};  // the content's scroll position
  bool dragging_ = false;
  Point drag_{0, 0};
};

}  // namespace vx::viewer
