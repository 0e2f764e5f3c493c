// What the picture view shows and how it answers the mouse, apart from any window: the
// fitted picture, the 1:1 magnifying lens, zoom previews and applied zooms, pointers, the
// protected-area hit test and the "Buy OnLine" link.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "document/kel_pigger.h"
#include "picture/bitmap.h"
#include "picture/resample.h"
#include "pointers/pointer_drawing.h"

namespace vx::viewer {

inline constexpr int kLensDiameter = 200;  // sizes at 96 dpi
inline constexpr int kViewBorder = 20;
// The same at the desktop's scale. The lens shows one picture pixel per screen pixel at any
// diameter, as the picture's own pixels are never scaled.
int LensDiameter();
int ViewBorder();
inline constexpr Color kViewBackground = 0xC0C0C0;
inline constexpr Color kDefaultLensBorder = 0x408000;

// Where a picture of W x H (the decoded size) shows in a paint box: scaled down to fit when
// larger, at its natural size otherwise, centred. w x h is the size of the picture the
// ratio is taken from (the working picture).
struct Fit {
  Rect rect;
  double pixelRatio = 1;
};
Fit FitPicture(Size decoded, Size working, Size paintBox);

enum class ZoomMode { Normal, ComputingPreview, Preview, Resampling };

class PictureViewModel {
 public:
  void SetPaintBoxSize(Size size) { paintBox_ = size; }
  Size PaintBoxSize() const { return paintBox_; }
  void SetLensBorderColor(Color color) { lensBorder_ = Drawable(color); }
  Color LensBorderColor() const { return lensBorder_; }
  void SetPointerRule(PointerFilter rule) { pointerRule_ = std::move(rule); }

  // Takes a copy of the frame; false when the text does not parse (the link then stays).
  bool SetFrame(const std::string& text);
  const TKelPigger& Frame() const { return frame_; }
  const std::string& BuyLink() const { return buyLink_; }

  // Decodes a new picture through the loader and shows it; false when there is no loader
  // or it fails (what was shown before stays).
  bool LoadPicture(const std::function<bool(Bitmap&)>& loader);
  // The frame's picture is missing or damaged: nothing of the one before stays in sight.
  void ShowMissing();
  bool Missing() const { return missing_; }
  // The paint box has changed size since the picture was fitted.
  bool NeedsRefit() const;
  // Fits the picture anew to a changed paint box (an applied zoom is undone); nothing when
  // the size is the same.
  void Refit();

  // One wheel step: a preview in the lens at the new factor, or back to the unzoomed
  // picture after an applied zoom.
  void ZoomStep(bool up);
  // Applying the previewed zoom in steps, so that the resampling may run on a worker:
  // Begin gives the size of the new working picture (nothing without a preview), the caller
  // resamples DecodedPicture into a bitmap of that size, which must not change meanwhile,
  // and hands it to Finish, or calls Cancel.
  std::optional<Size> BeginApplyZoom();
  void FinishApplyZoom(Bitmap resampled);
  void CancelApplyZoom();
  // All steps at once; progress as for ResizeBilinearProgress.
  void ApplyZoom(const ResizeProgress& progress = {});

  // Mouse on the picture, in paint-box coordinates; true when the view must repaint.
  bool MouseDown(Point at, bool leftButton);
  bool MouseMove(Point at);
  // Puts the lens's top-left corner there and renders it: at 1:1, or the preview when one
  // is shown (the lens is dragged during a preview). False while resampling.
  bool MoveLensTo(Point topLeft);

  bool HitProtectedArea(Point at) const;

  ZoomMode State() const { return state_; }
  bool Zoomed() const { return zoomed_; }
  bool Following() const { return following_; }
  double ZoomFactor() const { return zoomFactor_; }
  double WorkingScale() const { return workingScale_; }
  double PixelRatio() const { return fit_.pixelRatio; }
  const Rect& PictureRect() const { return fit_.rect; }
  Point LensPosition() const { return lens_; }
  const Bitmap& BackBuffer() const { return backBuffer_; }
  const Bitmap& LensPicture() const { return lensPicture_; }
  const Bitmap& WorkingPicture() const { return working_; }
  const Bitmap& DecodedPicture() const { return decoded_; }
  bool HasPicture() const { return !decoded_.Empty(); }

  // The square of the working picture under the lens, at 1:1.
  Rect LensSource() const;

 private:
  void BuildBackBuffer();
  void RenderLens();
  void RenderLensFrom(const Bitmap& source);
  void RenderPreview();
  void DrawPointers();
  void Reset();

  Size paintBox_{1, 1};
  Color lensBorder_ = kDefaultLensBorder;
  PointerFilter pointerRule_;
  TKelPigger frame_;
  std::string buyLink_;
  Bitmap decoded_, working_, backBuffer_, lensPicture_;
  Fit fit_;
  Point lens_{0, 0};
  bool following_ = false;
  bool missing_ = false;
  ZoomMode state_ = ZoomMode::Normal;
  bool zoomed_ = false;
  double zoomFactor_ = 1.0;
  double workingScale_ = 1.0;
  double pendingScale_ = 1.0;  // of the zoom being applied
};

}  // namespace vx::viewer
