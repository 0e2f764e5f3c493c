#include "formats/orientation.h"

#include <libexif/exif-data.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

namespace vx {

int ExifOrientation(std::string_view jpegBytes) {
  std::unique_ptr<ExifData, void (*)(ExifData*)> data(
      exif_data_new_from_data(
          reinterpret_cast<const unsigned char*>(jpegBytes.data()),
          static_cast<unsigned int>(std::min<size_t>(jpegBytes.size(), UINT32_MAX))),
      exif_data_unref);
  if (!data) return 1;
  const ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
  if (!entry || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || entry->size < 2)
    return 1;
  const int orientation = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
  return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

Bitmap Upright(Bitmap picture, int orientation) {
  if (orientation < 2 || orientation > 8) return picture;
  const int w = picture.Width(), h = picture.Height();
  const bool swapped = orientation >= 5;
  Bitmap upright(swapped ? h : w, swapped ? w : h);
  const int W = upright.Width(), H = upright.Height();
  // Where stored pixel (x, y) stands in the upright picture: the tag names the sides that the
  // stored first row and first column show.
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* in = picture.Row(y);
    for (int x = 0; x < w; ++x, in += 3) {
      int ux = x, uy = y;
      switch (orientation) {
        case 2:
          ux = W - 1 - x;
          break;
        case 3:
          ux = W - 1 - x;
          uy = H - 1 - y;
          break;
        case 4:
          uy = H - 1 - y;
          break;
        case 5:
          ux = y;
          uy = x;
          break;
        case 6:
          ux = W - 1 - y;
          uy = x;
          break;
        case 7:
          ux = W - 1 - y;
          uy = H - 1 - x;
          break;
        case 8:
          ux = y;
          uy = H - 1 - x;
          break;
      }
      std::memcpy(upright.Row(uy) + ux * 3, in, 3);
    }
  }
  return upright;
}

}  // namespace vx
