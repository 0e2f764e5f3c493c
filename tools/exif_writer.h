// EXIF data written by libexif, as cameras and phones write it: texts in their own encodings,
// rationals, codes and a user comment behind its character code; and JPEG files that carry it.
#pragma once

#include <libexif/exif-data.h>

#include <string>
#include <string_view>

#include "picture/bitmap.h"

namespace vx {

class ExifWriter {
 public:
  // Motorola order is the big-endian one many cameras use; phones mostly write Intel order.
  explicit ExifWriter(ExifByteOrder order = EXIF_BYTE_ORDER_MOTOROLA);
  ~ExifWriter();
  ExifWriter(const ExifWriter&) = delete;
  ExifWriter& operator=(const ExifWriter&) = delete;

  // The bytes as they are, with the terminating zero that ASCII entries carry.
  ExifWriter& Ascii(ExifTag tag, const std::string& bytes);
  ExifWriter& Undefined(ExifTag tag, const std::string& bytes);
  ExifWriter& Short(ExifTag tag, int value);
  ExifWriter& Long(ExifTag tag, unsigned value);
  ExifWriter& Rational(ExifTag tag, unsigned numerator, unsigned denominator);
  ExifWriter& SRational(ExifTag tag, int numerator, int denominator);

  // The APP1 payload: "Exif", two zeros and the TIFF structure.
  std::string Segment() const;
  // The picture as a JPEG file with this EXIF data right after its start marker.
  std::string Jpeg(const Bitmap& picture) const;
  // A JPEG file with the segment as APP1 after its start marker.
  static std::string WithSegment(const std::string& jpeg, const std::string& segment);

 private:
  // Room for count values of the tag: tags of the first IFD go there, the rest to the EXIF
  // IFD.
  unsigned char* Add(ExifTag tag, ExifFormat format, size_t count);

  ExifData* data_;
  ExifByteOrder order_;
};

// A user comment behind its eight-byte character code.
std::string UserComment(const char (&code)[9], const std::string& text);

// UTF-16 of code units, in the byte order asked for.
std::string Utf16(std::u16string_view text, bool bigEndian);

}  // namespace vx
