#include "picture_view_model.h"

#include <algorithm>
#include <cmath>

#include "document/conversions.h"
#include "document/vocabulary.h"
#include "picture/canvas.h"
#include "platform/ui_scale.h"
#include "protection/protected_areas.h"

namespace vx::viewer {
namespace {

namespace n = names;

constexpr double kMaxZoomFactor = 3.0;
constexpr double kLongestWorkingSide = 5000.0;
constexpr double kZoomStep = 0.1;

}  // namespace

int LensDiameter() { return Scaled(kLensDiameter); }
int ViewBorder() { return Scaled(kViewBorder); }

Fit FitPicture(Size decoded, Size working, Size box) {
  Fit fit;
  int width = decoded.width, height = decoded.height;
  if (decoded.height > box.height || decoded.width > box.width) {
    width = box.width;
    height = box.height;
    const double w = working.width, h = working.height;
    if (static_cast<double>(box.height) / box.width > h / w) {
      height = RoundHalfEven(box.width / (w / h));
    } else {
      width = RoundHalfEven(box.height / (h / w));
    }
  }
  const int left = RoundHalfEven((box.width - width) / 2.0);
  const int top = RoundHalfEven((box.height - height) / 2.0);
  fit.rect = {left, top, left + width, top + height};
  if (width > 0 && height > 0) {
    fit.pixelRatio = working.height < working.width ? static_cast<double>(working.width) / width
                                                    : static_cast<double>(working.height) / height;
  }
  return fit;
}

bool PictureViewModel::SetFrame(const std::string& text) {
  try {
    frame_.LoadFromText(text);
  } catch (const EKelPiggerError&) {
    return false;
  }
  buyLink_.clear();
  if (const TKelPigger* fields = frame_.FindChild(n::kFields)) {
    for (const TKelPigger* f = fields->FindChildByAttr(n::kFieldType, n::kTypeHttp); f;
         f = fields->FindNextByAttr(f, n::kFieldType, n::kTypeHttp)) {
      if (f->GetAttr(n::kBuyLink) == n::kYes && f->GetAttr(n::kFieldType) == n::kTypeHttp) {
        buyLink_ = f->GetAttr(n::kValue);
        break;
      }
    }
  }
  return true;
}

bool PictureViewModel::LoadPicture(const std::function<bool(Bitmap&)>& loader) {
  state_ = ZoomMode::Normal;
  zoomed_ = false;
  if (!loader) return false;
  workingScale_ = 1;
  fit_.pixelRatio = 1;
  try {
    Bitmap picture;
    if (!loader(picture)) return false;  // what was shown before stays
    decoded_ = std::move(picture);
    missing_ = false;
    working_ = decoded_;
    BuildBackBuffer();
    DrawPointers();
    RenderLens();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void PictureViewModel::ShowMissing() {
  missing_ = true;
  state_ = ZoomMode::Normal;
  zoomed_ = following_ = false;
  decoded_ = working_ = lensPicture_ = Bitmap();
  fit_ = {};
  backBuffer_ = Bitmap(paintBox_.width, paintBox_.height);
  backBuffer_.Fill(kViewBackground);
}

void PictureViewModel::BuildBackBuffer() {
  backBuffer_ = Bitmap(paintBox_.width, paintBox_.height);
  backBuffer_.Fill(kViewBackground);
  fit_ = FitPicture({decoded_.Width(), decoded_.Height()}, {working_.Width(), working_.Height()},
                    paintBox_);
  working_.ReplacePureBlack();
  const Rect& r = fit_.rect;
  if (r.Width() > 0 && r.Height() > 0 && !working_.Empty()) {
    // Bilinear rather than nearest, so large pictures do not shimmer when reduced.
    Bitmap fitted(r.Width(), r.Height());
    ResizeBilinear(working_, fitted);
    StretchCopy(fitted, {0, 0, r.Width(), r.Height()}, backBuffer_, r);
  }
  backBuffer_.ReplacePureBlack();
}

Rect PictureViewModel::LensSource() const {
  const double r = fit_.pixelRatio;
  const int left = RoundHalfEven((lens_.x - fit_.rect.left) * r + LensDiameter() * (r - 1) / 2);
  const int top = RoundHalfEven((lens_.y - fit_.rect.top) * r + LensDiameter() * (r - 1) / 2);
  return {left, top, left + LensDiameter(), top + LensDiameter()};
}

void PictureViewModel::RenderLens() {
  // The 1:1 square is copied out first: pixels beyond the picture stay black (transparent).
  const Rect source = LensSource();
  Bitmap square(LensDiameter(), LensDiameter());
  StretchCopy(working_, source, square, {0, 0, LensDiameter(), LensDiameter()});
  RenderLensFrom(square);
}

void PictureViewModel::RenderLensFrom(const Bitmap& square) {
  const int D = LensDiameter();
  lensPicture_ = Bitmap(D, D);
  {
    Canvas canvas(lensPicture_);
    canvas.Ellipse({0, 0, D, D}, 0xFFFFFF, 1, 0xFFFFFF);
  }
  // Inside the white circle the picture shows; outside stays black, the transparent colour.
  for (int y = 0; y < D; ++y) {
    std::uint8_t* out = lensPicture_.Row(y);
    const std::uint8_t* in = square.Row(y);
    for (int x = 0; x < D * 3; ++x) out[x] &= in[x];
  }
  Canvas canvas(lensPicture_);
  const int inset = Scaled(4), pen = Scaled(2);
  canvas.Ellipse({inset, inset, D - Scaled(1), D - Scaled(1)}, 0x010101, pen);
  canvas.Ellipse({0, 0, D, D}, lensBorder_, pen);
}

// The lens is rendered after this, so it shows the pointers; what they draw never turns
// into the lens's transparent black.
void PictureViewModel::DrawPointers() {
  const TKelPigger* pointers = frame_.FindChild(n::kPointers);
  if (!pointers) return;
  {
    Canvas canvas(backBuffer_);
    DrawPointersInRect(*pointers, canvas, fit_.rect.left, fit_.rect, fit_.rect.top, pointerRule_);
  }
  DrawPointersOnPicture(*pointers, working_, pointerRule_);
  backBuffer_.ReplacePureBlack();
  working_.ReplacePureBlack();
}

void PictureViewModel::ZoomStep(bool up) {
  if (state_ == ZoomMode::ComputingPreview || state_ == ZoomMode::Resampling) return;
  if (zoomed_) {
    Reset();
    return;
  }
  state_ = ZoomMode::ComputingPreview;
  const double lowest =
      decoded_.Empty() ? 1.0 : std::max(decoded_.Width(), decoded_.Height()) / kLongestWorkingSide;
  // The lower bound wins, so the working picture never passes 5000 pixels a side.
  zoomFactor_ =
      std::max(std::min(zoomFactor_ + (up ? kZoomStep : -kZoomStep), kMaxZoomFactor), lowest);

  RenderPreview();
  state_ = ZoomMode::Preview;
}

void PictureViewModel::RenderPreview() {
  // The previewed square shares the 1:1 square's centre; the picture is on white.
  const Rect oneToOne = LensSource();
  const int side = RoundHalfEven(zoomFactor_ * LensDiameter());
  const int grow = (side - LensDiameter()) / 2;
  const Rect source{oneToOne.left - grow, oneToOne.top - grow, oneToOne.left - grow + side,
                    oneToOne.top - grow + side};
  Bitmap preview(side, side);
  preview.Fill(0xFFFFFF);
  StretchCopy(working_, source, preview, {0, 0, side, side});
  Bitmap square(LensDiameter(), LensDiameter());
  ResizeBilinear(preview, square);
  RenderLensFrom(square);
}

bool PictureViewModel::MoveLensTo(Point topLeft) {
  if (state_ != ZoomMode::Normal && state_ != ZoomMode::Preview) return false;
  lens_ = topLeft;
  if (state_ == ZoomMode::Preview) {
    RenderPreview();
  } else {
    RenderLens();
  }
  return true;
}

std::optional<Size> PictureViewModel::BeginApplyZoom() {
  if (state_ != ZoomMode::Preview) return std::nullopt;
  state_ = ZoomMode::Resampling;
  pendingScale_ = workingScale_ / zoomFactor_;
  return Size{std::max(1, RoundHalfEven(decoded_.Width() * pendingScale_)),
              std::max(1, RoundHalfEven(decoded_.Height() * pendingScale_))};
}

void PictureViewModel::FinishApplyZoom(Bitmap resampled) {
  if (state_ != ZoomMode::Resampling) return;
  working_ = std::move(resampled);
  workingScale_ = pendingScale_;
  fit_ = FitPicture({decoded_.Width(), decoded_.Height()}, {working_.Width(), working_.Height()},
                    paintBox_);
  working_.ReplacePureBlack();
  DrawPointers();
  RenderLens();
  zoomed_ = true;
  zoomFactor_ = 1.0;
  state_ = ZoomMode::Normal;
}

void PictureViewModel::CancelApplyZoom() {
  if (state_ != ZoomMode::Resampling) return;
  state_ = ZoomMode::Normal;
  RenderLens();
}

void PictureViewModel::ApplyZoom(const ResizeProgress& progress) {
  const auto size = BeginApplyZoom();
  if (!size) return;
  Bitmap resampled(size->width, size->height);
  if (progress) {
    ResizeBilinearProgress(decoded_, resampled, progress);
  } else {
    ResizeBilinear(decoded_, resampled);
  }
  FinishApplyZoom(std::move(resampled));
}

bool PictureViewModel::NeedsRefit() const {
  return HasPicture() &&
         (backBuffer_.Width() != paintBox_.width || backBuffer_.Height() != paintBox_.height);
}

void PictureViewModel::Refit() {
  if (NeedsRefit()) Reset();
}

void PictureViewModel::Reset() {
  working_ = decoded_;
  zoomed_ = false;
  workingScale_ = 1;
  fit_.pixelRatio = 1;
  state_ = ZoomMode::Normal;
  BuildBackBuffer();
  DrawPointers();
  RenderLens();
}

bool PictureViewModel::MouseDown(Point at, bool leftButton) {
  if (state_ != ZoomMode::Normal || !leftButton) return false;
  following_ = !following_;
  if (following_) {
    lens_ = {at.x - LensDiameter() / 2, at.y - LensDiameter() / 2};
    RenderLens();
  }
  return true;
}

bool PictureViewModel::MouseMove(Point at) {
  if (state_ == ZoomMode::Preview) return false;  // the caller applies the zoom
  if (state_ != ZoomMode::Normal || !following_) return false;
  lens_ = {at.x - LensDiameter() / 2, at.y - LensDiameter() / 2};
  RenderLens();
  return true;
}

bool PictureViewModel::HitProtectedArea(Point at) const {
  const TKelPigger* pointers = frame_.FindChild(n::kPointers);
  if (!pointers) return false;
  const Rect& fit = fit_.rect;
  for (const TKelPigger* area = pointers->FindChild(n::kProtectedArea); area;
       area = pointers->FindNext(area)) {
    try {
      // The same rectangle as locking cuts out; its right and bottom edges count as inside.
      const Rect r = AreaRectangle(*area, fit.Width(), fit.Height());
      if (at.x >= fit.left + r.left && at.x <= fit.left + r.right && at.y >= fit.top + r.top &&
          at.y <= fit.top + r.bottom) {
        return true;
      }
    } catch (const std::exception&) {
      // An area whose numbers do not parse, or lie far out, is skipped.
    }
  }
  return false;
}

}  // namespace vx::viewer
