#include "tool_bar.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_RGB_Image.H>

#include <cstring>

#include "platform/ui_scale.h"

namespace vx::builder {
namespace {

constexpr int kPictureSize = 24;
constexpr int kSeparatorWidth = 8;

// The picture at the desktop's scale: icons keep their size relative to the captions.
std::unique_ptr<Fl_Image> ScaledPicture(Picture picture) {
  const int size = Scaled(kPictureSize);
  return std::unique_ptr<Fl_Image>(PictureOf(picture).copy(size, size));
}

}  // namespace

ToolButton::ToolButton(int x, int y, const char* caption, Picture picture,
                       std::function<void()> click)
    : Fl_Button(x, y, ToolBar::kButtonWidth, ToolBar::kButtonHeight, caption),
      click_(std::move(click)) {
  box(FL_NO_BOX);
  down_box(FL_THIN_DOWN_BOX);
  labelsize(11);
  align(FL_ALIGN_INSIDE | FL_ALIGN_BOTTOM | FL_ALIGN_IMAGE_OVER_TEXT);
  clear_visible_focus();
  normal_ = ScaledPicture(picture);
  hotImage_ = ScaledPicture(picture);
  hotImage_->color_average(FL_WHITE, 0.75f);
  disabled_ = ScaledPicture(picture);
  disabled_->inactive();
  image(normal_.get());
  deimage(disabled_.get());
  callback([](Fl_Widget* button, void*) {
    auto* self = static_cast<ToolButton*>(button);
    if (self->click_) self->click_();
  });
}

ToolButton::~ToolButton() {
  image(nullptr);
  deimage(nullptr);
}

void ToolButton::SetHot(bool hot) {
  hot_ = hot;
  box(hot ? FL_THIN_UP_BOX : FL_NO_BOX);
  image(hot ? hotImage_.get() : normal_.get());
  // The bar's background shows through a button without a box.
  if (parent()) parent()->redraw();
  redraw();
}

int ToolButton::handle(int event) {
  switch (event) {
    case FL_ENTER:
      SetHot(true);
      return 1;
    case FL_LEAVE:
    case FL_DEACTIVATE:
    case FL_HIDE:
      if (hot_) SetHot(false);
      break;
    default:
      break;
  }
  return Fl_Button::handle(event);
}

ToolBar::ToolBar(int x, int y, int w) : Fl_Group(x, y, w, kHeight), next_(x + 2) {
  box(FL_THIN_UP_BOX);
  end();
  // The buttons keep their size and place however wide the window is.
  resizable(nullptr);
}

ToolButton& ToolBar::Add(const char* caption, Picture picture, std::function<void()> click) {
  auto* button =
      new ToolButton(next_, y() + (h() - kButtonHeight) / 2, caption, picture, std::move(click));
  add(button);
  buttons_.push_back(button);
  next_ += kButtonWidth;
  return *button;
}

void ToolBar::AddSeparator() {
  add(new Fl_Box(FL_THIN_DOWN_FRAME, next_ + kSeparatorWidth / 2 - 1, y() + 4, 2, h() - 8,
                 nullptr));
  next_ += kSeparatorWidth;
}

ToolButton* ToolBar::Find(const char* caption) const {
  for (ToolButton* button : buttons_) {
    if (std::strcmp(button->label(), caption) == 0) return button;
  }
  return nullptr;
}

}  // namespace vx::builder
