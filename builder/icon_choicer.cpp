#include "icon_choicer.h"

#include <stdexcept>
#include <vector>

#include "picture/icon.h"
#include "platform/current_folder.h"
#include "ui/dialogs.h"
#include "ui/icon_images.h"

namespace vx::builder {
namespace {

constexpr int kTextSize = 12;
constexpr int kImageBox = 44;
constexpr int kButtonLeft = kImageBox + 12;
constexpr int kButtonHeight = 24;

template <void (TO_icon_choicer::*Click)()>
void Clicked(Fl_Widget* widget, void*) {
  (static_cast<TO_icon_choicer*>(widget->parent())->*Click)();
}

}  // namespace

TO_icon_choicer::TO_icon_choicer(int x, int y) : Fl_Group(x, y, kWidth, kHeight) {
  image1_ = new Fl_Box(x, y, kImageBox, kImageBox);
  image1_->box(FL_DOWN_BOX);
  image1_->color(FL_WHITE);
  auto button = [&](int row, const char* label) {
    auto* b = new Fl_Button(x + kButtonLeft, y + row * (kButtonHeight + 6), kWidth - kButtonLeft,
                            kButtonHeight, label);
    b->labelsize(kTextSize);
    return b;
  };
  defaultButton_ = button(0, "Default Icon");
  defaultButton_->callback(Clicked<&TO_icon_choicer::SB_default_iconClick>);
  loadButton_ = button(1, "Load Icon from File");
  loadButton_->callback(Clicked<&TO_icon_choicer::SB_load_iconClick>);
  makeButton_ = button(2, "Make Icon from Graphic");
  makeButton_->callback([](Fl_Widget* widget, void*) {
    auto* chooser = static_cast<TO_icon_choicer*>(widget->parent());
    if (chooser->onMakeIcon_) chooser->onMakeIcon_();
  });
  end();
  SB_default_iconClick();
}

void TO_icon_choicer::Show(std::string icon, bool isDefault) {
  icon_ = std::move(icon);
  default_ = isDefault;
  const auto pictures = DecodeIcoImages(icon_);
  image1_->image(nullptr);
  shown_.reset();
  if (const IconPicture* closest = ClosestIconPicture(pictures, kSystemIconSize)) {
    shown_ = ui::ToRgbImage(*closest);
    if (shown_->w() != kSystemIconSize || shown_->h() != kSystemIconSize)
      shown_.reset(static_cast<Fl_RGB_Image*>(shown_->copy(kSystemIconSize, kSystemIconSize)));
    image1_->image(shown_.get());
  }
  image1_->redraw();
}

void TO_icon_choicer::SB_default_iconClick() {
  static const std::string kDefault = DefaultIconFile();
  Show(kDefault, true);
}

void TO_icon_choicer::SB_load_iconClick() {
  ui::FileChoice choice;
  choice.title = "Load Icon";
  choice.filter = "Icons (*.ico)\t*.ico";
  std::vector<std::string> paths;
  {
    KeepCurrentFolder keep;
    paths = ui::CurrentDialogs().ChooseFilesToOpen(choice);
  }
  if (paths.empty()) return;
  try {
    Show(ReadIconFile(paths.front()), false);
  } catch (const std::exception& e) {
    ui::CurrentDialogs().ShowMessage(e.what(), ui::MessageKind::Error);
  }
}

void TO_icon_choicer::MakeIconFromBitmap(const Bitmap& bitmap) {
  Show(IconFromBitmap(bitmap), false);
}

std::string TO_icon_choicer::GetIconText() {
  if (default_) return {};
  try {
    return IconText(icon_);
  } catch (const std::exception& e) {
    ui::CurrentDialogs().ShowMessage(e.what(), ui::MessageKind::Error);
    return {};
  }
}

void TO_icon_choicer::SetIconText(const std::string& text) {
  std::string icon = IconFromText(text);
  if (icon.empty()) {
    SB_default_iconClick();
  } else {
    Show(std::move(icon), false);
  }
}

}  // namespace vx::builder
