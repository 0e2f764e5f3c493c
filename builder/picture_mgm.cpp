#include "picture_mgm.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>

#include <vector>

#include "picture/grab_rectangle.h"
#include "picture/icon.h"
#include "picture/resample.h"
#include "ui/dialogs.h"
#include "ui/draw_bitmap.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::builder {

namespace {

constexpr int kTextSize = 12;
constexpr Rect kFirstGrab{18, 18, 18 + 115, 18 + 115};  // in the scroll area, at creation

Fl_Cursor CursorOver(GrabZone zone) {
  switch (zone) {
    case GrabZone::TopLeft:
    case GrabZone::BottomRight:
      return FL_CURSOR_NWSE;
    case GrabZone::TopRight:
    case GrabZone::BottomLeft:
      return FL_CURSOR_NESW;
    case GrabZone::Inside:
      break;
  }
  return FL_CURSOR_HAND;
}

// The clipboard's picture, whatever its depth, as a bitmap.
Bitmap BitmapOf(const Fl_RGB_Image& image) {
  Bitmap bitmap(image.w(), image.h());
  const int depth = image.d();
  const int line = image.ld() ? image.ld() : image.w() * depth;
  const auto* data = reinterpret_cast<const std::uint8_t*>(image.data()[0]);
  for (int y = 0; y < image.h(); ++y) {
    const std::uint8_t* in = data + static_cast<size_t>(y) * line;
    std::uint8_t* out = bitmap.Row(y);
    for (int x = 0; x < image.w(); ++x, in += depth, out += 3) {
      const bool grey = depth < 3;
      out[0] = in[grey ? 0 : 2];
      out[1] = in[grey ? 0 : 1];
      out[2] = in[0];
    }
  }
  return bitmap;
}

}  // namespace

// Shape_catch: a dotted red outline that is dragged, or resized at its corners.
class GrabShape : public Fl_Widget {
 public:
  GrabShape() : Fl_Widget(0, 0, 1, 1), model_({}) {}
  Rect Bounds() const { return {x(), y(), x() + w(), y() + h()}; }
  void SetBounds(const Rect& rect) {
    resize(rect.left, rect.top, rect.Width(), rect.Height());
    if (parent()) parent()->redraw();
  }

 protected:
  void draw() override {
    fl_color(FL_RED);
    fl_line_style(FL_DOT);
    fl_rect(x(), y(), w(), h());
    fl_line_style(0);
  }
  int handle(int event) override {
    const Point at{Fl::event_x() - x(), Fl::event_y() - y()};
    switch (event) {
      case FL_ENTER:
      case FL_MOVE:
        if (!model_.Pressed()) window()->cursor(CursorOver(GrabZoneAt(at, {w(), h()})));
        return 1;
      case FL_LEAVE:
        if (!model_.Pressed()) window()->cursor(FL_CURSOR_DEFAULT);
        return 1;
      case FL_PUSH:
        if (Fl::event_button() == FL_RIGHT_MOUSE) {
          PopupMenu2();
        } else if (Fl::event_button() == FL_LEFT_MOUSE) {
          model_ = GrabRectangle(Bounds());
          model_.Press(at);
        }
        return 1;
      case FL_DRAG:
        if (!model_.Pressed()) return 1;
        model_.Move(at);
        SetBounds(model_.Bounds());
        return 1;
      case FL_RELEASE:
        model_.Release();
        return 1;
      default:
        return Fl_Widget::handle(event);
    }
  }

 private:
  void PopupMenu2() {
    GrabRectangle sized(Bounds());
    switch (ui::CurrentDialogs().ChooseFromMenu(
        {"Set Width Equal to Heigh", "Set Heigh Equal to Width", "Set Standard Icon Size"})) {
      case 0:
        sized.SetWidthEqualToHeight();
        break;
      case 1:
        sized.SetHeightEqualToWidth();
        break;
      case 2:
        sized.SetSize({kSystemIconSize, kSystemIconSize});
        break;
      default:
        return;
    }
    SetBounds(sized.Bounds());
  }

  GrabRectangle model_;
};

// Image2: the icon, centred on a hatched background.
class IconPreview : public Fl_Widget {
 public:
  IconPreview(int x, int y, int w, int h, const Bitmap& icon)
      : Fl_Widget(x, y, w, h), icon_(icon) {}

 protected:
  void draw() override {
    fl_rectf(x(), y(), w(), h(), FL_WHITE);
    fl_color(FL_DARK2);
    fl_push_clip(x(), y(), w(), h());
    for (int d = -h(); d < w(); d += 6) fl_line(x() + d, y() + h(), x() + d + h(), y());
    fl_pop_clip();
    ui::DrawBitmap(icon_, x() + (w() - icon_.Width()) / 2, y() + (h() - icon_.Height()) / 2);
  }

 private:
  const Bitmap& icon_;
};

TF_picture_mgm::TF_picture_mgm() : Fl_Double_Window(624, 482) {
  scroll_ = new Fl_Scroll(8, 8, 448, 466);
  scroll_->box(FL_DOWN_BOX);
  scroll_->color(FL_DARK2);  // the workspace grey
  image1_ = new PictureBox(scroll_->x() + 2, scroll_->y() + 2);
  grabShape_ = new GrabShape();
  grabShape_->hide();
  scroll_->end();

  auto button = [](int y, const char* label, int x = 466, int w = 150) {
    auto* b = new Fl_Button(x, y, w, 26, label);
    b->labelsize(kTextSize);
    return b;
  };
  paste_ = button(8, "Paste from clipboard");
  paste_->callback(
      [](Fl_Widget* w, void*) { static_cast<TF_picture_mgm*>(w->window())->btn_pasteClick(); });
  scaleButton_ = button(40, "Scale image");
  scaleButton_->callback(
      [](Fl_Widget* w, void*) { static_cast<TF_picture_mgm*>(w->window())->btn_scaleClick(); });
  rotateLeft_ = button(76, "@undo", 466, 36);
  rotateLeft_->tooltip("Rotate counter-clockwise");
  rotateLeft_->callback(
      [](Fl_Widget* w, void*) { static_cast<TF_picture_mgm*>(w->window())->SB_r_lClick(); });
  auto* rotate = new Fl_Box(502, 76, 78, 26, "Rotate");
  rotate->labelsize(kTextSize);
  rotateRight_ = button(76, "@redo", 580, 36);
  rotateRight_->tooltip("Rotate clockwise");
  rotateRight_->callback(
      [](Fl_Widget* w, void*) { static_cast<TF_picture_mgm*>(w->window())->SB_r_rClick(); });
  grab_ = new Fl_Toggle_Button(466, 116, 150, 26, "Grab Area");
  grab_->labelsize(kTextSize);
  grab_->callback(
      [](Fl_Widget* w, void*) { static_cast<TF_picture_mgm*>(w->window())->SB_make_tnClick(); });
  apply_ = button(148, "Apply");
  apply_->callback(
      [](Fl_Widget* w, void*) { static_cast<TF_picture_mgm*>(w->window())->SB_apply_thClick(); });
  auto* preview = new Fl_Box(466, 188, 150, 20, "Icon preview:");
  preview->labelsize(kTextSize);
  preview->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  image2_ = new IconPreview(517, 212, 48, 48, icon_);
  ok_ = button(410, "Ok");
  ok_->callback([](Fl_Widget* w, void*) {
    auto* dialog = static_cast<TF_picture_mgm*>(w->window());
    dialog->confirmed_ = true;
    dialog->hide();
  });
  cancel_ = button(444, "Cancel");
  cancel_->callback([](Fl_Widget* w, void*) { w->window()->hide(); });
  end();
  scaleDialog_ = std::make_unique<TD_scale_image>();
  ui::ScaleWidgetTree(*this);
  // Over the picture, sizes are screen pixels, whatever the desktop's scale.
  const int left = scroll_->x() + Fl::box_dx(scroll_->box());
  const int top = scroll_->y() + Fl::box_dy(scroll_->box());
  image1_->position(left, top);
  grabShape_->SetBounds({left + kFirstGrab.left, top + kFirstGrab.top, left + kFirstGrab.right,
                         top + kFirstGrab.bottom});
  ShowGrab(false);
}

Fl_Widget& TF_picture_mgm::Shape_catch() { return *grabShape_; }

bool TF_picture_mgm::ManagePicture(Bitmap& picture, Bitmap& icon, const std::string& caption) {
  caption_ = caption;
  label(caption_.c_str());
  scroll_->scroll_to(0, 0);
  // Every opening starts at the real size.
  image1_->SetPicture(picture);
  scale_ = 100;
  icon_ = icon;
  image2_->redraw();
  changed_ = false;
  confirmed_ = false;
  // Centred on the main window, when there is one.
  if (Fl_Window* main = Fl::first_window(); main && main != this) {
    position(main->x() + (main->w() - w()) / 2, main->y() + (main->h() - h()) / 2);
  } else {
    ui::CenterOnScreen(*this);
  }
  ui::CurrentDialogs().RunModal(*this);
  if (confirmed_) {
    picture = image1_->Picture();
    icon = icon_;
  }
  return confirmed_ && changed_;
}

void TF_picture_mgm::btn_pasteClick() {
  if (!Fl::clipboard_contains(Fl::clipboard_image)) {
    ui::CurrentDialogs().ShowMessage("Sorry, can't paste clipboard content as a picture.",
                                     ui::MessageKind::Information);
    return;
  }
  if (!ui::CurrentDialogs().AskYesNo("Paste from clipboard ?")) return;
  // The picture arrives as an FL_PASTE event, at once when the clipboard is ours.
  Fl::paste(*this, 1, Fl::clipboard_image);
}

int TF_picture_mgm::handle(int event) {
  if (event == FL_PASTE && Fl::event_clipboard_type() == Fl::clipboard_image) {
    auto* image = static_cast<Fl_RGB_Image*>(Fl::event_clipboard());
    if (!image) return 1;
    Bitmap pasted = BitmapOf(*image);
    delete image;  // the receiver owns it
    image1_->SetPicture(std::move(pasted));
    scale_ = 100;
    changed_ = true;
    return 1;
  }
  // Keys are seen by the window before its controls.
  if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && (Fl::event_state() & FL_CTRL) &&
      Fl::event_key() == 'c') {
    CopyPicture();
    return 1;
  }
  return Fl_Double_Window::handle(event);
}

void TF_picture_mgm::CopyPicture() {
  const Bitmap& picture = image1_->Picture();
  if (picture.Empty()) return;
  std::vector<uchar> rgb(static_cast<size_t>(picture.Width()) * picture.Height() * 3);
  uchar* out = rgb.data();
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* in = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  Fl::copy_image(rgb.data(), picture.Width(), picture.Height(), 1);
}

void TF_picture_mgm::btn_scaleClick() { scale_ = scaleDialog_->ScaleView(*image1_); }

void TF_picture_mgm::Rotate(Bitmap (*turn)(const Bitmap&)) {
  changed_ = true;
  cursor(FL_CURSOR_WAIT);
  Fl::flush();
  const bool stretched = image1_->Stretched();
  image1_->SetPicture(turn(image1_->Picture()));
  if (stretched) image1_->ShowStretched(ScaledSize(image1_->RealSize(), scale_));
  cursor(FL_CURSOR_DEFAULT);
}

void TF_picture_mgm::SB_r_lClick() { Rotate(RotateLeft); }
void TF_picture_mgm::SB_r_rClick() { Rotate(RotateRight); }

void TF_picture_mgm::ShowGrab(bool shown) {
  if (shown) {
    grabShape_->show();
  } else {
    grabShape_->hide();
  }
  grab_->value(shown);
  if (shown) {
    apply_->activate();
  } else {
    apply_->deactivate();
  }
  scroll_->redraw();
}

void TF_picture_mgm::SB_make_tnClick() { ShowGrab(grab_->value() != 0); }

void TF_picture_mgm::SB_apply_thClick() {
  if (!grabShape_->visible()) return;
  const Rect part = GrabbedPart(grabShape_->Bounds(), {image1_->x(), image1_->y()}, scale_);
  try {
    icon_ = GrabIcon(image1_->Picture(), part, {kSystemIconSize, kSystemIconSize});
  } catch (const std::exception&) {
    return;  // a part too large to copy changes nothing
  }
  image2_->redraw();
  changed_ = true;
  ShowGrab(false);
}

}  // namespace vx::builder
