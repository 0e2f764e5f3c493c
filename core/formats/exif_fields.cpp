#include "formats/exif_fields.h"

#include <libexif/exif-data.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <memory>
#include <utility>

#include "platform/mapped_file.h"
#include "text/trim.h"
#include "text/utf8.h"

namespace vx {
namespace {

using Codes = std::initializer_list<std::pair<int, const char*>>;

const Codes kOrientations = {{1, "Normal"},
                             {2, "Mirrored horizontally"},
                             {3, "Rotated 180\xC2\xB0"},
                             {4, "Mirrored vertically"},
                             {5, "Mirrored horizontally and rotated 270\xC2\xB0 clockwise"},
                             {6, "Rotated 90\xC2\xB0 clockwise"},
                             {7, "Mirrored horizontally and rotated 90\xC2\xB0 clockwise"},
                             {8, "Rotated 270\xC2\xB0 clockwise"}};
const Codes kExposurePrograms = {
    {0, "Not defined"},       {1, "Manual"},           {2, "Normal program"},
    {3, "Aperture priority"}, {4, "Shutter priority"}, {5, "Creative program"},
    {6, "Action program"},    {7, "Portrait mode"},    {8, "Landscape mode"}};
const Codes kMeteringMethods = {{0, "Unknown"}, {1, "Average"},    {2, "Center weighted average"},
                                {3, "Spot"},    {4, "Multi-spot"}, {5, "Pattern"},
                                {6, "Partial"}, {255, "Other"}};
const Codes kLightSources = {{0, "Unknown"},
                             {1, "Daylight"},
                             {2, "Flourescent"},
                             {3, "Tungsten"},
                             {4, "Flash"},
                             {9, "Fine weather"},
                             {10, "Cloudy weather"},
                             {11, "Shade"},
                             {12, "Daylight fluorescent"},
                             {13, "Day white fluorescent"},
                             {14, "Cool white fluorescent"},
                             {15, "White fluorescent"},
                             {16, "Warm white fluorescent"},
                             {17, "Standard Light A"},
                             {18, "Standard Light B"},
                             {19, "Standard Light C"},
                             {20, "D55"},
                             {21, "D65"},
                             {22, "D75"},
                             {23, "D50"},
                             {24, "ISO studio tungsten"},
                             {255, "Other"}};

class Reader {
 public:
  explicit Reader(ExifData& data) : data_(data), order_(exif_data_get_byte_order(&data)) {}

  // ASCII texts end at a zero byte; a copyright's photographer and editor parts are joined.
  std::string Text(ExifTag tag) const {
    const ExifEntry* entry = Entry(tag);
    if (!entry) return {};
    const std::string_view bytes = Bytes(*entry);
    std::string text;
    size_t start = 0;
    while (start < bytes.size()) {
      const size_t end = std::min(bytes.find('\0', start), bytes.size());
      const std::string_view part = bytes.substr(start, end - start);
      if (!Trim(part).empty()) text += (text.empty() ? "" : " / ") + Utf8FromLegacy(part);
      if (tag != EXIF_TAG_COPYRIGHT) break;
      start = end + 1;
    }
    return text;
  }

  std::optional<int> Short(ExifTag tag) const {
    const ExifEntry* entry = Entry(tag);
    if (!entry || entry->format != EXIF_FORMAT_SHORT || entry->size < 2) return std::nullopt;
    return exif_get_short(entry->data, order_);
  }

  std::string Described(ExifTag tag, const Codes& codes, const char* unknown) const {
    const std::optional<int> code = Short(tag);
    if (!code) return {};
    for (const auto& [value, text] : codes) {
      if (value == *code) return text;
    }
    return unknown;
  }

  // A rational as a number; nothing without one or with a zero denominator.
  std::optional<double> Rational(ExifTag tag, std::pair<long, long>* parts = nullptr) const {
    const ExifEntry* entry = Entry(tag);
    if (!entry || entry->size < 8) return std::nullopt;
    long numerator = 0, denominator = 0;
    if (entry->format == EXIF_FORMAT_RATIONAL) {
      const ExifRational r = exif_get_rational(entry->data, order_);
      numerator = static_cast<long>(r.numerator);
      denominator = static_cast<long>(r.denominator);
    } else if (entry->format == EXIF_FORMAT_SRATIONAL) {
      const ExifSRational r = exif_get_srational(entry->data, order_);
      numerator = r.numerator;
      denominator = r.denominator;
    } else {
      return std::nullopt;
    }
    if (denominator == 0) return std::nullopt;
    if (parts) *parts = {numerator, denominator};
    return static_cast<double>(numerator) / static_cast<double>(denominator);
  }

  std::string Flash() const {
    const std::optional<int> code = Short(EXIF_TAG_FLASH);
    if (!code) return {};
    if (!(*code & 1)) return "No Flash";
    const int returned = (*code >> 1) & 3, mode = (*code >> 3) & 3;
    if (returned == 3) return "Flash Strobe";
    if (returned == 2) return "Flash No Strobe";
    if (mode == 3) return "Flash (Auto)";
    return "Flash";
  }

  // The character code in the first eight bytes says how the rest is written.
  std::string UserComment() const {
    const ExifEntry* entry = Entry(EXIF_TAG_USER_COMMENT);
    if (!entry) return {};
    const std::string_view bytes = Bytes(*entry);
    if (bytes.size() < 8) return Utf8FromLegacy(UpToZero(bytes));
    const std::string_view code = bytes.substr(0, 8), comment = bytes.substr(8);
    if (code == std::string_view("UNICODE\0", 8)) return Unicode(comment);
    if (code == std::string_view("JIS\0\0\0\0\0", 8)) {
      // Without a converter for it only plain ASCII, with no escape to another character
      // set, is sure to read right.
      const std::string_view text = UpToZero(comment);
      const bool ascii = std::all_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80 && c != '\x1B';
      });
      return ascii ? std::string(text) : std::string();
    }
    // ASCII, an undefined code (zeros) and anything else: texts as cameras write them.
    return Utf8FromLegacy(UpToZero(comment));
  }

 private:
  const ExifEntry* Entry(ExifTag tag) const {
    ExifData* data = &data_;
    const ExifEntry* entry = exif_data_get_entry(data, tag);
    return entry && entry->data ? entry : nullptr;
  }
  static std::string_view Bytes(const ExifEntry& entry) {
    return {reinterpret_cast<const char*>(entry.data), entry.size};
  }
  static std::string_view UpToZero(std::string_view text) {
    return text.substr(0, std::min(text.find('\0'), text.size()));
  }

  // UTF-16 up to its first zero unit. Writers disagree on the byte order: without a byte order
  // mark, the side where Latin text has its zero bytes tells it, else the EXIF data's own.
  std::string Unicode(std::string_view bytes) const {
    size_t length = 0;
    while (length + 1 < bytes.size() && (bytes[length] || bytes[length + 1])) length += 2;
    bytes = bytes.substr(0, length);
    int evenZeros = 0, oddZeros = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\0') ++(i % 2 ? oddZeros : evenZeros);
    }
    bool bigEndian = order_ == EXIF_BYTE_ORDER_MOTOROLA;
    if (evenZeros != oddZeros) bigEndian = evenZeros > oddZeros;
    return Utf8FromUtf16(bytes, bigEndian);
  }

  ExifData& data_;
  ExifByteOrder order_;
};

// A number with at most one decimal, as a person writes it: "2", "0.3", "5.6".
std::string Decimal(double value) {
  char buffer[32];
  const double rounded = std::round(value * 10) / 10;
  const bool whole = rounded == std::floor(rounded);
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded,
                                    std::chars_format::fixed, whole ? 0 : 1);
  return std::string(buffer, result.ptr);
}

// Short times as the fraction a camera shows, "1/125"; longer ones as a decimal.
std::string TimeText(double seconds) {
  if (seconds > 0 && seconds < 0.25) return "1/" + Decimal(std::round(1 / seconds));
  return Decimal(seconds);
}

std::string ExposureText(const Reader& reader) {
  std::pair<long, long> parts;
  const std::optional<double> seconds = reader.Rational(EXIF_TAG_EXPOSURE_TIME, &parts);
  if (!seconds || *seconds < 0) return {};
  const auto [numerator, denominator] = parts;
  if (numerator > 0 && numerator < denominator && denominator % numerator == 0)
    return "1/" + std::to_string(denominator / numerator) + " seconds";
  return TimeText(*seconds) + " seconds";
}

// APEX values: the shutter speed's time is 2^-Tv, an aperture's f-number 2^(Av/2).
std::string ShutterSpeedText(const Reader& reader) {
  const std::optional<double> tv = reader.Rational(EXIF_TAG_SHUTTER_SPEED_VALUE);
  if (!tv || std::abs(*tv) > 64) return {};
  return TimeText(std::exp2(-*tv));
}

std::string ApertureText(const Reader& reader, ExifTag tag) {
  const std::optional<double> av = reader.Rational(tag);
  if (!av || *av < 0 || *av > 64) return {};
  return "f/" + Decimal(std::exp2(*av / 2));
}

bool HasEntries(const ExifData& data) {
  for (const ExifContent* content : data.ifd) {
    if (content && content->count > 0) return true;
  }
  return false;
}

}  // namespace

std::optional<std::vector<NamedValue>> ExifFieldsOf(std::string_view pictureBytes) {
  std::unique_ptr<ExifData, void (*)(ExifData*)> data(exif_data_new(), exif_data_unref);
  if (!data) return std::nullopt;
  // Following the standard would add the entries it requires, with made-up values.
  exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
  exif_data_load_data(data.get(), reinterpret_cast<const unsigned char*>(pictureBytes.data()),
                      static_cast<unsigned>(std::min<size_t>(pictureBytes.size(), UINT_MAX)));
  if (!HasEntries(*data)) return std::nullopt;
  const Reader reader(*data);
  return std::vector<NamedValue>{
      {"ImageDesc", reader.Text(EXIF_TAG_IMAGE_DESCRIPTION)},
      {"Make", reader.Text(EXIF_TAG_MAKE)},
      {"Model", reader.Text(EXIF_TAG_MODEL)},
      {"OrientationDesc", reader.Described(EXIF_TAG_ORIENTATION, kOrientations, "")},
      {"Copyright", reader.Text(EXIF_TAG_COPYRIGHT)},
      {"DataTime", reader.Text(EXIF_TAG_DATE_TIME)},
      {"DateTimeOriginal", reader.Text(EXIF_TAG_DATE_TIME_ORIGINAL)},
      {"DateTimeDigitized", reader.Text(EXIF_TAG_DATE_TIME_DIGITIZED)},
      {"UserComments", reader.UserComment()},
      {"Software", reader.Text(EXIF_TAG_SOFTWARE)},
      {"Artist", reader.Text(EXIF_TAG_ARTIST)},
      {"Exposure", ExposureText(reader)},
      {"ExposureProgramDesc",
       reader.Described(EXIF_TAG_EXPOSURE_PROGRAM, kExposurePrograms, "Unknown")},
      {"ShutterSpeed", ShutterSpeedText(reader)},
      {"Aperture", ApertureText(reader, EXIF_TAG_APERTURE_VALUE)},
      {"MaxAperture", ApertureText(reader, EXIF_TAG_MAX_APERTURE_VALUE)},
      {"MeteringMethod", reader.Described(EXIF_TAG_METERING_MODE, kMeteringMethods, "Unknown")},
      {"LightSourceDesc", reader.Described(EXIF_TAG_LIGHT_SOURCE, kLightSources, "Other")},
      {"FlashDesc", reader.Flash()},
  };
}

std::optional<std::vector<NamedValue>> ExifFieldsOfFile(const std::string& path) {
  try {
    const MappedFile file(path);
    return ExifFieldsOf(file.Bytes());
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace vx
