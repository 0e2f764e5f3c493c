// JPEG files with EXIF data written by libexif, as cameras and phones write them: texts in
// their own encodings, rationals, codes and a user comment behind its character code.
#pragma once

#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "support/wild_jpegs.h"

namespace vx::test {

class ExifWriter {
 public:
  // Motorola order is the big-endian one many cameras use; phones mostly write Intel order.
  explicit ExifWriter(ExifByteOrder order = EXIF_BYTE_ORDER_MOTOROLA)
      : data_(exif_data_new()), order_(order) {
    exif_data_unset_option(data_, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_byte_order(data_, order);
  }
  ~ExifWriter() { exif_data_unref(data_); }
  ExifWriter(const ExifWriter&) = delete;
  ExifWriter& operator=(const ExifWriter&) = delete;

  // The bytes as they are, with the terminating zero that ASCII entries carry.
  ExifWriter& Ascii(ExifTag tag, const std::string& bytes) {
    const std::string terminated = bytes + '\0';
    std::memcpy(Add(tag, EXIF_FORMAT_ASCII, terminated.size()), terminated.data(),
                terminated.size());
    return *this;
  }
  ExifWriter& Undefined(ExifTag tag, const std::string& bytes) {
    std::memcpy(Add(tag, EXIF_FORMAT_UNDEFINED, bytes.size()), bytes.data(), bytes.size());
    return *this;
  }
  ExifWriter& Short(ExifTag tag, int value) {
    exif_set_short(Add(tag, EXIF_FORMAT_SHORT, 1), order_, static_cast<ExifShort>(value));
    return *this;
  }
  ExifWriter& Long(ExifTag tag, unsigned value) {
    exif_set_long(Add(tag, EXIF_FORMAT_LONG, 1), order_, value);
    return *this;
  }
  ExifWriter& Rational(ExifTag tag, unsigned numerator, unsigned denominator) {
    exif_set_rational(Add(tag, EXIF_FORMAT_RATIONAL, 1), order_, {numerator, denominator});
    return *this;
  }
  ExifWriter& SRational(ExifTag tag, int numerator, int denominator) {
    exif_set_srational(Add(tag, EXIF_FORMAT_SRATIONAL, 1), order_, {numerator, denominator});
    return *this;
  }

  // The APP1 payload: "Exif", two zeros and the TIFF structure.
  std::string Segment() const {
    unsigned char* bytes = nullptr;
    unsigned size = 0;
    exif_data_save_data(data_, &bytes, &size);
    std::string segment(reinterpret_cast<const char*>(bytes), size);
    std::free(bytes);
    return segment;
  }

  // A small JPEG of the picture with this EXIF data right after its start marker.
  std::string Jpeg(const Bitmap& picture) const {
    return WithSegment(WildJpeg(picture, JpegShape::Plain), Segment());
  }

  static std::string WithSegment(const std::string& jpeg, const std::string& segment) {
    const size_t length = segment.size() + 2;
    const std::string marker = std::string("\xFF\xE1", 2) + static_cast<char>(length >> 8) +
                               static_cast<char>(length & 0xFF);
    return jpeg.substr(0, 2) + marker + segment + jpeg.substr(2);
  }

 private:
  // Tags of the first IFD stay there; the rest go to the EXIF IFD.
  unsigned char* Add(ExifTag tag, ExifFormat format, size_t count) {
    ExifMem* mem = exif_mem_new_default();
    ExifEntry* entry = exif_entry_new_mem(mem);
    const size_t size = count * exif_format_get_size(format);
    entry->data = static_cast<unsigned char*>(exif_mem_alloc(mem, static_cast<ExifLong>(size)));
    entry->size = static_cast<unsigned>(size);
    entry->tag = tag;
    entry->components = count;
    entry->format = format;
    const bool first = tag == EXIF_TAG_IMAGE_DESCRIPTION || tag == EXIF_TAG_MAKE ||
                       tag == EXIF_TAG_MODEL || tag == EXIF_TAG_ORIENTATION ||
                       tag == EXIF_TAG_COPYRIGHT || tag == EXIF_TAG_DATE_TIME ||
                       tag == EXIF_TAG_SOFTWARE || tag == EXIF_TAG_ARTIST;
    exif_content_add_entry(data_->ifd[first ? EXIF_IFD_0 : EXIF_IFD_EXIF], entry);
    unsigned char* bytes = entry->data;
    exif_entry_unref(entry);
    exif_mem_unref(mem);
    return bytes;
  }

  ExifData* data_;
  ExifByteOrder order_;
};

// A user comment behind its eight-byte character code.
inline std::string UserComment(const char (&code)[9], const std::string& text) {
  return std::string(code, 8) + text;
}

// UTF-16 of code units, in the byte order asked for.
inline std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

}  // namespace vx::test
