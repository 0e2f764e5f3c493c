// The picture view: the fitted picture with its pointers, the magnifying lens, zoom with a
// progress pie, and the "Buy OnLine" link. A thin shell over PictureViewModel.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>

#include <atomic>
#include <functional>
#include <thread>

#include "picture_view_model.h"
#include "ui/ui_mailbox.h"

namespace vx::viewer {

class TO_pgv : public Fl_Group {
 public:
  TO_pgv(int x, int y, int w, int h);
  ~TO_pgv() override;

  PictureViewModel& Model() { return model_; }
  bool SetFrame(const std::string& text);
  bool LoadPicture(const std::function<bool(Bitmap&)>& loader);
  // In place of a picture that cannot be shown, a placeholder saying so.
  void ShowMissing();
  void ZoomStep(bool up);

  // Presses on the picture go here first (paint-box coordinates); true when taken.
  std::function<bool(Point at, int button)> OnPaintBoxMouseDown;

  // The paint box in window coordinates: the view inside its border.
  int PaintX() const { return x() + ViewBorder(); }
  int PaintY() const { return y() + ViewBorder(); }
  Fl_Button& BuyLinkButton() { return *buyLink_; }
  // The lens control `Image_mg`, shown during a zoom preview.
  Fl_Widget& Image_mg() { return *lens_; }
  int GaugeValue() const { return gauge_; }

  void resize(int x, int y, int w, int h) override;

 protected:
  void draw() override;
  int handle(int event) override;

 private:
  // The zoom is resampled on a worker; the pie shows its progress meanwhile.
  void ApplyZoom();
  // Anything that replaces the pictures stops a resampling under way first.
  void StopZoom();
  void UpdateCursor();
  static void RefitWhenResized(void* data);
  void PlaceLensControl();
  void Image_mgMouseDown();
  void Image_mgMouseMove();
  void Image_mgMouseUp();

  class Lens;
  PictureViewModel model_;
  Fl_Button* buyLink_;
  Fl_Widget* lens_;  // a Lens
  bool dragging_ = false;
  Point pressedAt_, lensAtPress_;
  Point mouseAt_{-1, -1};  // where the mouse was last seen, in paint-box coordinates
  int gauge_ = 0;
  std::thread resampler_;
  std::atomic<bool> cancelZoom_{false};
  int zoomRun_ = 0;  // results of an earlier run are dropped
  ui::UiMailbox mailbox_;
};

}  // namespace vx::viewer
