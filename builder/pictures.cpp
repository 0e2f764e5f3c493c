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
VX_PICTURE(vx_picture_tool_new)
VX_PICTURE(vx_picture_tool_open)
VX_PICTURE(vx_picture_tool_save)
VX_PICTURE(vx_picture_tool_undo)
VX_PICTURE(vx_picture_tool_redo)
VX_PICTURE(vx_picture_tool_add)
VX_PICTURE(vx_picture_tool_delete)
VX_PICTURE(vx_picture_tool_objects)
VX_PICTURE(vx_picture_tool_fields)
VX_PICTURE(vx_picture_tool_project)
VX_PICTURE(vx_picture_tool_run)
VX_PICTURE(vx_picture_tool_exit)
VX_PICTURE(vx_picture_password_page)
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
    Bytes{vx_picture_tool_new, vx_picture_tool_new_end},
    Bytes{vx_picture_tool_open, vx_picture_tool_open_end},
    Bytes{vx_picture_tool_save, vx_picture_tool_save_end},
    Bytes{vx_picture_tool_undo, vx_picture_tool_undo_end},
    Bytes{vx_picture_tool_redo, vx_picture_tool_redo_end},
    Bytes{vx_picture_tool_add, vx_picture_tool_add_end},
    Bytes{vx_picture_tool_delete, vx_picture_tool_delete_end},
    Bytes{vx_picture_tool_objects, vx_picture_tool_objects_end},
    Bytes{vx_picture_tool_fields, vx_picture_tool_fields_end},
    Bytes{vx_picture_tool_project, vx_picture_tool_project_end},
    Bytes{vx_picture_tool_run, vx_picture_tool_run_end},
    Bytes{vx_picture_tool_exit, vx_picture_tool_exit_end},
    Bytes{vx_picture_password_page, vx_picture_password_page_end},
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
