#include "picture_view.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>

#include <vector>

#include "picture/resample.h"
#include "platform/ui_scale.h"
#include "ui/draw_bitmap.h"
#include "ui/link_text.h"

namespace vx::viewer {
namespace {

constexpr int kGaugeSize = 100;  // sizes at 96 dpi
constexpr int kLinkSize = 32;
constexpr double kRefitDelay = 0.2;  // seconds without a further resize

// The lens with pure black as its transparent colour.
void DrawLens(const Bitmap& lens, int x, int y) {
  if (lens.Empty()) return;
  std::vector<unsigned char> rgba(static_cast<size_t>(lens.Width()) * lens.Height() * 4);
  unsigned char* out = rgba.data();
  for (int row = 0; row < lens.Height(); ++row) {
    const std::uint8_t* in = lens.Row(row);
    for (int col = 0; col < lens.Width(); ++col, in += 3, out += 4) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = (in[0] | in[1] | in[2]) ? 255 : 0;
    }
  }
  Fl_RGB_Image image(rgba.data(), lens.Width(), lens.Height(), 4);
  image.draw(x, y);
}

}  // namespace

// The lens as a control of its own while a zoom is previewed; it can be dragged.
class TO_pgv::Lens : public Fl_Widget {
 public:
  explicit Lens(TO_pgv& view) : Fl_Widget(0, 0, LensDiameter(), LensDiameter()), view_(view) {}

  void draw() override { DrawLens(view_.model_.LensPicture(), x(), y()); }

  int handle(int event) override {
    switch (event) {
      case FL_ENTER:
        fl_cursor(FL_CURSOR_HAND);
        return 1;
      case FL_LEAVE:
        view_.UpdateCursor();
        return 1;
      case FL_MOVE:
        return 1;
      case FL_PUSH:
        if (Fl::event_button() != FL_LEFT_MOUSE) return 1;
        view_.Image_mgMouseDown();
        return 1;
      case FL_DRAG:
        view_.Image_mgMouseMove();
        return 1;
      case FL_RELEASE:
        if (view_.dragging_) view_.Image_mgMouseUp();
        return 1;
      default:
        return 0;
    }
  }

 private:
  TO_pgv& view_;
};

TO_pgv::TO_pgv(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
  box(FL_FLAT_BOX);
  color(FL_LIGHT2);
  const int link = Scaled(kLinkSize);
  buyLink_ = new Fl_Button(x + w - link - 1, y + 1, link, link);
  buyLink_->box(FL_NO_BOX);
  buyLink_->tooltip("Buy OnLine");
  buyLink_->callback(
      [](Fl_Widget*, void* data) { ui::OpenAddress(static_cast<TO_pgv*>(data)->model_.BuyLink()); },
      this);
  buyLink_->hide();
  lens_ = new Lens(*this);
  lens_->hide();
  end();
  resizable(nullptr);
  model_.SetPaintBoxSize({std::max(1, w - 2 * ViewBorder()), std::max(1, h - 2 * ViewBorder())});
}

bool TO_pgv::SetFrame(const std::string& text) {
  if (!model_.SetFrame(text)) return false;
  if (model_.BuyLink().empty()) {
    buyLink_->hide();
  } else {
    buyLink_->show();
  }
  return true;
}

TO_pgv::~TO_pgv() {
  Fl::remove_timeout(RefitWhenResized, this);
  StopZoom();
}

bool TO_pgv::LoadPicture(const std::function<bool(Bitmap&)>& loader) {
  StopZoom();
  Fl::remove_timeout(RefitWhenResized, this);  // the load fits the picture anyway
  lens_->hide();
  fl_cursor(FL_CURSOR_WAIT);
  const bool loaded = model_.LoadPicture(loader);
  UpdateCursor();
  redraw();
  return loaded;
}

void TO_pgv::ShowMissing() {
  StopZoom();
  lens_->hide();
  model_.ShowMissing();
  redraw();
}

void TO_pgv::ZoomStep(bool up) {
  if (!model_.HasPicture()) return;
  model_.ZoomStep(up);
  if (model_.State() == ZoomMode::Preview) {
    PlaceLensControl();
    lens_->show();
  } else {
    lens_->hide();
  }
  redraw();
}

void TO_pgv::ApplyZoom() {
  const auto size = model_.BeginApplyZoom();
  if (!size) return;
  lens_->hide();
  dragging_ = false;
  std::shared_ptr<Bitmap> target;
  try {
    target = std::make_shared<Bitmap>(size->width, size->height);
  } catch (const std::exception&) {
    model_.CancelApplyZoom();  // too large to hold: the picture stays as it was
    redraw();
    return;
  }
  gauge_ = 25;
  redraw();
  const int run = ++zoomRun_;
  cancelZoom_ = false;
  resampler_ = std::thread([this, run, target] {
    int shown = 25;
    ResizeBilinearProgress(model_.DecodedPicture(), *target, [&](int percent, bool& cancel) {
      if (cancelZoom_) {
        cancel = true;
        return;
      }
      const int value = 25 + percent * 3 / 4;
      if (value == shown) return;
      shown = value;
      mailbox_.Post([this, run, value] {
        if (run != zoomRun_) return;
        gauge_ = value;
        redraw();
      });
    });
    if (cancelZoom_) return;
    mailbox_.Post([this, run, target] {
      if (run != zoomRun_) return;
      resampler_.join();
      gauge_ = 0;
      model_.FinishApplyZoom(std::move(*target));
      redraw();
    });
  });
}

void TO_pgv::StopZoom() {
  if (!resampler_.joinable()) return;
  cancelZoom_ = true;
  resampler_.join();
  ++zoomRun_;
  gauge_ = 0;
  model_.CancelApplyZoom();
  redraw();
}

void TO_pgv::UpdateCursor() { fl_cursor(model_.Following() ? FL_CURSOR_HAND : FL_CURSOR_DEFAULT); }

// Refitting resamples the whole picture, so a drag of the window's edge or the splitter
// refits once, when it has come to rest, and a hidden view waits until it is shown again.
void TO_pgv::resize(int nx, int ny, int nw, int nh) {
  Fl_Group::resize(nx, ny, nw, nh);
  const int link = Scaled(kLinkSize);
  buyLink_->resize(nx + nw - link - 1, ny + 1, link, link);
  PlaceLensControl();
  model_.SetPaintBoxSize({std::max(1, nw - 2 * ViewBorder()), std::max(1, nh - 2 * ViewBorder())});
  Fl::remove_timeout(RefitWhenResized, this);
  if (model_.NeedsRefit()) Fl::add_timeout(kRefitDelay, RefitWhenResized, this);
}

void TO_pgv::RefitWhenResized(void* data) {
  auto* view = static_cast<TO_pgv*>(data);
  if (!view->visible_r() || !view->model_.NeedsRefit()) return;
  view->StopZoom();
  view->model_.Refit();
  view->lens_->hide();
  view->redraw();
}

void TO_pgv::PlaceLensControl() {
  const Point lens = model_.LensPosition();
  lens_->resize(PaintX() + lens.x, PaintY() + lens.y, LensDiameter(), LensDiameter());
}

void TO_pgv::Image_mgMouseDown() {
  dragging_ = true;
  pressedAt_ = {Fl::event_x(), Fl::event_y()};
  lensAtPress_ = model_.LensPosition();
}

void TO_pgv::Image_mgMouseMove() {
  if (!dragging_) return;
  model_.MoveLensTo({lensAtPress_.x + Fl::event_x() - pressedAt_.x,
                     lensAtPress_.y + Fl::event_y() - pressedAt_.y});
  PlaceLensControl();
  redraw();
}

// The preview stays in the lens at its new place; the next movement over the picture
// applies it there.
void TO_pgv::Image_mgMouseUp() {
  dragging_ = false;
  mouseAt_ = {Fl::event_x() - PaintX(), Fl::event_y() - PaintY()};
  lens_->hide();
  redraw();
}

void TO_pgv::draw() {
  // Shown again after a resize while hidden: the refit is due now.
  if (model_.NeedsRefit() && !Fl::has_timeout(RefitWhenResized, this))
    Fl::add_timeout(kRefitDelay, RefitWhenResized, this);
  draw_box();
  fl_push_clip(x(), y(), w(), h());
  ui::DrawBitmap(model_.BackBuffer(), PaintX(), PaintY());
  if (model_.Missing()) {
    const Size box = model_.PaintBoxSize();
    ui::DrawMissingPicture(PaintX() + box.width / 6, PaintY() + box.height / 4, box.width * 2 / 3,
                           box.height / 2, "This picture is missing or damaged in the archive.");
  }
  const Point lens = model_.LensPosition();
  switch (model_.State()) {
    case ZoomMode::Normal:
      DrawLens(model_.LensPicture(), PaintX() + lens.x, PaintY() + lens.y);
      break;
    case ZoomMode::Preview:
      if (!lens_->visible()) DrawLens(model_.LensPicture(), PaintX() + lens.x, PaintY() + lens.y);
      break;
    case ZoomMode::Resampling: {
      // The pie gauge, centred on the lens's place.
      const int size = Scaled(kGaugeSize);
      const int gx = PaintX() + lens.x + (LensDiameter() - size) / 2;
      const int gy = PaintY() + lens.y + (LensDiameter() - size) / 2;
      fl_color(FL_WHITE);
      fl_pie(gx, gy, size, size, 0, 360);
      fl_color(FL_DARK_BLUE);
      fl_pie(gx, gy, size, size, 90 - gauge_ * 3.6, 90);
      fl_color(FL_BLACK);
      fl_arc(gx, gy, size, size, 0, 360);
      break;
    }
    case ZoomMode::ComputingPreview:
      break;
  }
  if (lens_->visible()) draw_child(*lens_);
  fl_pop_clip();
  if (buyLink_->visible()) ui::DrawLinkIcon(buyLink_->x(), buyLink_->y(), buyLink_->w());
}

int TO_pgv::handle(int event) {
  const auto over = [](const Fl_Widget* child) {
    return child->visible() && Fl::event_inside(child);
  };
  // The link and the lens control take what happens over them: a movement over the lens
  // during a preview does not apply the zoom.
  if (Fl_Group::handle(event) && (over(buyLink_) || over(lens_))) return 1;
  const Point at{Fl::event_x() - PaintX(), Fl::event_y() - PaintY()};
  switch (event) {
    case FL_PUSH:
      if (OnPaintBoxMouseDown && OnPaintBoxMouseDown(at, Fl::event_button())) return 1;
      if (model_.MouseDown(at, Fl::event_button() == FL_LEFT_MOUSE)) {
        UpdateCursor();
        redraw();
      }
      return 1;
    case FL_ENTER:  // FLTK's name for the first movement over the view
    case FL_MOVE:
    case FL_DRAG: {
      // FLTK also reports the mouse where it rests (after a release, for one): only a real
      // movement applies a previewed zoom.
      const bool moved = at != mouseAt_;
      mouseAt_ = at;
      if (model_.State() == ZoomMode::Preview) {
        if (moved) ApplyZoom();
      } else if (model_.MouseMove(at)) {
        redraw();
      }
      return 1;
    }
    default:
      return 0;
  }
}

}  // namespace vx::viewer
