// JPEG files shaped like those that cameras, phones and old programs write, made by libjpeg
// from a picture: CMYK and YCCK (Adobe's inverted form and the plain one), greyscale,
// progressive, restart markers, EXIF orientation, stray bytes and a cut-off end.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "picture/bitmap.h"

namespace vx::test {

enum class JpegShape {
  Plain,
  ExtraneousBytes,  // stray bytes before a marker
  Truncated,        // the last part of the scan missing
  CmykAdobe,        // inverted CMYK with Adobe's segment, as Photoshop writes it
  CmykPlain,        // CMYK without Adobe's segment
  Ycck,
  Grey,
  Progressive,
  Restarts,  // a restart marker after every MCU row
};

// An APP1 segment with EXIF data that holds only the orientation (big-endian TIFF header).
inline std::string ExifOrientationSegment(int orientation) {
  std::string exif("Exif\0\0", 6);
  exif += std::string("MM\0\x2A\0\0\0\x08", 8);        // TIFF header, IFD 0 at offset 8
  exif += std::string("\0\x01", 2);                    // one entry
  exif += std::string("\x01\x12\0\x03\0\0\0\x01", 8);  // orientation, SHORT, count 1
  exif += std::string(1, '\0') + static_cast<char>(orientation) + std::string(2, '\0');
  exif += std::string(4, '\0');  // no next IFD
  return exif;
}

// The picture as a JPEG file of that shape; orientation (1 to 8) goes into EXIF when not 1.
inline std::string WildJpeg(const Bitmap& picture, JpegShape shape, int orientation = 1) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(picture.Width());
  cinfo.image_height = static_cast<JDIMENSION>(picture.Height());
  const bool cmyk =
      shape == JpegShape::CmykAdobe || shape == JpegShape::CmykPlain || shape == JpegShape::Ycck;
  cinfo.input_components = cmyk ? 4 : 3;
  cinfo.in_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (shape == JpegShape::Ycck) jpeg_set_colorspace(&cinfo, JCS_YCCK);
  if (shape == JpegShape::CmykPlain) cinfo.write_Adobe_marker = FALSE;
  if (shape == JpegShape::Grey) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  if (shape == JpegShape::Progressive) jpeg_simple_progression(&cinfo);
  if (shape == JpegShape::Restarts) cinfo.restart_in_rows = 1;
  jpeg_start_compress(&cinfo, TRUE);
  if (orientation != 1) {
    const std::string exif = ExifOrientationSegment(orientation);
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.data()),
                      static_cast<unsigned>(exif.size()));
  }
  // Ink from colour without black ink, and black as black ink only; Adobe's form inverts all.
  std::vector<JSAMPLE> row(static_cast<size_t>(picture.Width()) * 4);
  while (cinfo.next_scanline < cinfo.image_height) {
    const std::uint8_t* in = picture.Row(static_cast<int>(cinfo.next_scanline));
    JSAMPROW rows[1] = {const_cast<JSAMPROW>(in)};
    if (cmyk) {
      const bool inverted = shape != JpegShape::CmykPlain;
      for (int x = 0; x < picture.Width(); ++x) {
        const std::uint8_t b = in[x * 3], g = in[x * 3 + 1], r = in[x * 3 + 2];
        const bool black = r == 0 && g == 0 && b == 0;
        const JSAMPLE ink[4] = {
            static_cast<JSAMPLE>(black ? 0 : 255 - r), static_cast<JSAMPLE>(black ? 0 : 255 - g),
            static_cast<JSAMPLE>(black ? 0 : 255 - b), static_cast<JSAMPLE>(black ? 255 : 0)};
        for (int c = 0; c < 4; ++c)
          row[static_cast<size_t>(x) * 4 + c] = inverted ? 255 - ink[c] : ink[c];
      }
      rows[0] = row.data();
    }
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string file(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);

  if (shape == JpegShape::ExtraneousBytes) {
    // Three stray bytes before the start-of-scan marker.
    const size_t sos = file.find("\xFF\xDA");
    file.insert(sos, std::string("\x12\x34\x56", 3));
  }
  if (shape == JpegShape::Truncated) {
    // The last tenth of the file missing, its end marker with it.
    file.resize(file.size() - file.size() / 10);
  }
  return file;
}

}  // namespace vx::test
