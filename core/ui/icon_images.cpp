#include "ui/icon_images.h"

#include <FL/Fl_Window.H>

namespace vx::ui {

std::unique_ptr<Fl_RGB_Image> ToRgbImage(const IconPicture& picture) {
  auto* pixels = new uchar[picture.argb.size() * 4];
  for (size_t i = 0; i < picture.argb.size(); ++i) {
    const std::uint32_t argb = picture.argb[i];
    pixels[i * 4] = static_cast<uchar>(argb >> 16);
    pixels[i * 4 + 1] = static_cast<uchar>(argb >> 8);
    pixels[i * 4 + 2] = static_cast<uchar>(argb);
    pixels[i * 4 + 3] = static_cast<uchar>(argb >> 24);
  }
  auto image = std::make_unique<Fl_RGB_Image>(pixels, picture.width, picture.height, 4);
  image->alloc_array = 1;  // the image frees the pixels
  return image;
}

void UseAsWindowIcons(const std::vector<IconPicture>& pictures, Fl_Window* shown) {
  if (pictures.empty()) return;
  std::vector<std::unique_ptr<Fl_RGB_Image>> images;
  std::vector<const Fl_RGB_Image*> list;
  for (const IconPicture& picture : pictures) {
    images.push_back(ToRgbImage(picture));
    list.push_back(images.back().get());
  }
  // The toolkit keeps copies of its own.
  Fl_Window::default_icons(list.data(), static_cast<int>(list.size()));
  if (shown) shown->icons(list.data(), static_cast<int>(list.size()));
}

}  // namespace vx::ui
