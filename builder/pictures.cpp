#include "pictures.h"

#include <FL/Fl_PNG_Image.H>

#include <array>
#include <memory>

#define VX_PICTURE(name) extern "C" const unsigned char name[], name##_end[];
VX_PICTURE(vx_picture_new_project)
VX_PICTURE(vx_picture_open_project)
VX_PICTURE(vx_picture_last_project)
VX_PICTURE(vx_picture_busy_background)
VX_PICTURE(vx_picture_busy_mark)
#undef VX_PICTURE

namespace vx::builder {
namespace {

struct Bytes {
  const unsigned char* begin;
  const unsigned char* end;
};

// In the order of Picture.
constexpr std::array kPictures = {
    Bytes{vx_picture_new_project, vx_picture_new_project_end},
    Bytes{vx_picture_open_project, vx_picture_open_project_end},
    Bytes{vx_picture_last_project, vx_picture_last_project_end},
    Bytes{vx_picture_busy_background, vx_picture_busy_background_end},
    Bytes{vx_picture_busy_mark, vx_picture_busy_mark_end},
};

}  // namespace

Fl_RGB_Image& PictureOf(Picture picture) {
  static std::array<std::unique_ptr<Fl_PNG_Image>, kPictures.size()> decoded;
  const auto index = static_cast<size_t>(picture);
  if (!decoded[index]) {
    const Bytes& bytes = kPictures[index];
    decoded[index] = std::make_unique<Fl_PNG_Image>(nullptr, bytes.begin,
                                                    static_cast<int>(bytes.end - bytes.begin));
  }
  return *decoded[index];
}

}  // namespace vx::builder
