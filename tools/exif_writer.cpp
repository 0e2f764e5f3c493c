#include "exif_writer.h"

#include <cstdlib>
#include <cstring>

#include "picture/jpeg_codec.h"

namespace vx {

ExifWriter::ExifWriter(ExifByteOrder order) : data_(exif_data_new()), order_(order) {
  // Only what the caller writes: no entries the standard requires.
  exif_data_unset_option(data_, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
  exif_data_set_byte_order(data_, order);
}

ExifWriter::~ExifWriter() { exif_data_unref(data_); }

ExifWriter& ExifWriter::Ascii(ExifTag tag, const std::string& bytes) {
  const std::string terminated = bytes + '\0';
  std::memcpy(Add(tag, EXIF_FORMAT_ASCII, terminated.size()), terminated.data(), terminated.size());
  return *this;
}

ExifWriter& ExifWriter::Undefined(ExifTag tag, const std::string& bytes) {
  std::memcpy(Add(tag, EXIF_FORMAT_UNDEFINED, bytes.size()), bytes.data(), bytes.size());
  return *this;
}

ExifWriter& ExifWriter::Short(ExifTag tag, int value) {
  exif_set_short(Add(tag, EXIF_FORMAT_SHORT, 1), order_, static_cast<ExifShort>(value));
  return *this;
}

ExifWriter& ExifWriter::Long(ExifTag tag, unsigned value) {
  exif_set_long(Add(tag, EXIF_FORMAT_LONG, 1), order_, value);
  return *this;
}

ExifWriter& ExifWriter::Rational(ExifTag tag, unsigned numerator, unsigned denominator) {
  exif_set_rational(Add(tag, EXIF_FORMAT_RATIONAL, 1), order_, {numerator, denominator});
  return *this;
}

ExifWriter& ExifWriter::SRational(ExifTag tag, int numerator, int denominator) {
  exif_set_srational(Add(tag, EXIF_FORMAT_SRATIONAL, 1), order_, {numerator, denominator});
  return *this;
}

std::string ExifWriter::Segment() const {
  unsigned char* bytes = nullptr;
  unsigned size = 0;
  exif_data_save_data(data_, &bytes, &size);
  std::string segment(reinterpret_cast<const char*>(bytes), size);
  std::free(bytes);
  return segment;
}

std::string ExifWriter::Jpeg(const Bitmap& picture) const {
  return WithSegment(*EncodeJpeg(picture, 90), Segment());
}

std::string ExifWriter::WithSegment(const std::string& jpeg, const std::string& segment) {
  const size_t length = segment.size() + 2;
  const std::string marker = std::string("\xFF\xE1", 2) + static_cast<char>(length >> 8) +
                             static_cast<char>(length & 0xFF);
  return jpeg.substr(0, 2) + marker + segment + jpeg.substr(2);
}

unsigned char* ExifWriter::Add(ExifTag tag, ExifFormat format, size_t count) {
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

std::string UserComment(const char (&code)[9], const std::string& text) {
  return std::string(code, 8) + text;
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

}  // namespace vx
