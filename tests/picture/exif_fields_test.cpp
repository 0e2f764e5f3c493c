#include "formats/exif_fields.h"

#include <gtest/gtest.h>

#include <fstream>

#include "exif_writer.h"
#include "support/noise_picture.h"
#include "support/temp_folder.h"
#include "support/wild_jpegs.h"

namespace vx {
namespace {

const Bitmap& Picture() {
  static const Bitmap picture = test::NoisePicture(24, 16);
  return picture;
}

// The imported values by name; every name is there, in import order.
std::map<std::string, std::string> ValuesOf(const std::string& jpeg) {
  const std::optional<std::vector<NamedValue>> fields = ExifFieldsOf(jpeg);
  EXPECT_TRUE(fields.has_value());
  std::map<std::string, std::string> values;
  if (!fields) return values;
  const char* const kOrder[] = {"ImageDesc",
                                "Make",
                                "Model",
                                "OrientationDesc",
                                "Copyright",
                                "DataTime",
                                "DateTimeOriginal",
                                "DateTimeDigitized",
                                "UserComments",
                                "Software",
                                "Artist",
                                "Exposure",
                                "ExposureProgramDesc",
                                "ShutterSpeed",
                                "Aperture",
                                "MaxAperture",
                                "MeteringMethod",
                                "LightSourceDesc",
                                "FlashDesc"};
  EXPECT_EQ(fields->size(), std::size(kOrder));
  for (size_t i = 0; i < fields->size() && i < std::size(kOrder); ++i) {
    EXPECT_EQ((*fields)[i].name, kOrder[i]);
    values[(*fields)[i].name] = (*fields)[i].value;
  }
  return values;
}

TEST(ExifFields, CameraPictureInMotorolaOrder) {
  ExifWriter exif(EXIF_BYTE_ORDER_MOTOROLA);
  exif.Ascii(EXIF_TAG_IMAGE_DESCRIPTION, std::string(31, ' '))
      .Ascii(EXIF_TAG_MAKE, "LUMETRIC  ")
      .Ascii(EXIF_TAG_MODEL, "LX-200 Pro")
      .Short(EXIF_TAG_ORIENTATION, 1)
      .Ascii(EXIF_TAG_COPYRIGHT, std::string("J\xFCrgen\0Studio Nord", 18))
      .Ascii(EXIF_TAG_DATE_TIME, "2024:05:01 18:30:02")
      .Ascii(EXIF_TAG_ARTIST, "J\xFCrgen M\xFCller")  // Latin-1
      .Ascii(EXIF_TAG_SOFTWARE, "Firmware 1.02")
      .Ascii(EXIF_TAG_DATE_TIME_ORIGINAL, "2024:05:01 18:30:00")
      .Ascii(EXIF_TAG_DATE_TIME_DIGITIZED, "2024:05:01 18:30:01")
      .Undefined(EXIF_TAG_USER_COMMENT,
                 UserComment("ASCII\0\0\0", "At dusk" + std::string(20, ' ')))
      .Rational(EXIF_TAG_EXPOSURE_TIME, 1, 125)
      .Short(EXIF_TAG_EXPOSURE_PROGRAM, 3)
      .SRational(EXIF_TAG_SHUTTER_SPEED_VALUE, 6965784, 1000000)
      .Rational(EXIF_TAG_APERTURE_VALUE, 4970854, 1000000)
      .Rational(EXIF_TAG_MAX_APERTURE_VALUE, 3, 1)
      .Short(EXIF_TAG_METERING_MODE, 5)
      .Short(EXIF_TAG_LIGHT_SOURCE, 0)
      .Short(EXIF_TAG_FLASH, 0x10);
  auto values = ValuesOf(exif.Jpeg(Picture()));
  EXPECT_EQ(values["ImageDesc"], "");       // blank, as cameras fill it
  EXPECT_EQ(values["Make"], "LUMETRIC  ");  // untrimmed
  EXPECT_EQ(values["Model"], "LX-200 Pro");
  EXPECT_EQ(values["OrientationDesc"], "Normal");
  EXPECT_EQ(values["Copyright"], "J\xC3\xBCrgen / Studio Nord");
  EXPECT_EQ(values["DataTime"], "2024:05:01 18:30:02");
  EXPECT_EQ(values["DateTimeOriginal"], "2024:05:01 18:30:00");
  EXPECT_EQ(values["DateTimeDigitized"], "2024:05:01 18:30:01");
  EXPECT_EQ(values["UserComments"], "At dusk" + std::string(20, ' '));
  EXPECT_EQ(values["Software"], "Firmware 1.02");
  EXPECT_EQ(values["Artist"], "J\xC3\xBCrgen M\xC3\xBCller");
  EXPECT_EQ(values["Exposure"], "1/125 seconds");
  EXPECT_EQ(values["ExposureProgramDesc"], "Aperture priority");
  EXPECT_EQ(values["ShutterSpeed"], "1/125");
  EXPECT_EQ(values["Aperture"], "f/5.6");
  EXPECT_EQ(values["MaxAperture"], "f/2.8");
  EXPECT_EQ(values["MeteringMethod"], "Pattern");
  EXPECT_EQ(values["LightSourceDesc"], "Unknown");
  EXPECT_EQ(values["FlashDesc"], "No Flash");
}

TEST(ExifFields, PhonePictureInIntelOrder) {
  ExifWriter exif(EXIF_BYTE_ORDER_INTEL);
  exif.Ascii(EXIF_TAG_MAKE, "Phonico")
      .Ascii(EXIF_TAG_MODEL, "P7 mini")
      .Short(EXIF_TAG_ORIENTATION, 6)
      .Ascii(EXIF_TAG_SOFTWARE, "17.4.1")
      .Ascii(EXIF_TAG_ARTIST, "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m")  // UTF-8 stays
      .Ascii(EXIF_TAG_DATE_TIME_ORIGINAL, "2025:01:02 08:00:00")
      .Undefined(EXIF_TAG_USER_COMMENT,
                 UserComment("UNICODE\0", Utf16(u"Caf\u00E9 \u2615 \U0001F600", false)))
      .Rational(EXIF_TAG_EXPOSURE_TIME, 10, 600)
      .Short(EXIF_TAG_EXPOSURE_PROGRAM, 2)
      .SRational(EXIF_TAG_SHUTTER_SPEED_VALUE, 5907, 1000)
      .Rational(EXIF_TAG_APERTURE_VALUE, 169, 100)
      .Short(EXIF_TAG_METERING_MODE, 2)
      .Short(EXIF_TAG_LIGHT_SOURCE, 21)
      .Short(EXIF_TAG_FLASH, 0x19);
  auto values = ValuesOf(exif.Jpeg(Picture()));
  EXPECT_EQ(values["Make"], "Phonico");
  EXPECT_EQ(values["OrientationDesc"], "Rotated 90\xC2\xB0 clockwise");
  EXPECT_EQ(values["Artist"], "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m");
  EXPECT_EQ(values["UserComments"], "Caf\xC3\xA9 \xE2\x98\x95 \xF0\x9F\x98\x80");
  EXPECT_EQ(values["Exposure"], "1/60 seconds");
  EXPECT_EQ(values["ExposureProgramDesc"], "Normal program");
  EXPECT_EQ(values["ShutterSpeed"], "1/60");
  EXPECT_EQ(values["Aperture"], "f/1.8");
  EXPECT_EQ(values["MeteringMethod"], "Center weighted average");
  EXPECT_EQ(values["LightSourceDesc"], "D65");
  EXPECT_EQ(values["FlashDesc"], "Flash (Auto)");
  for (const char* absent : {"ImageDesc", "Copyright", "DataTime", "MaxAperture"})
    EXPECT_EQ(values[absent], "") << absent;
}

TEST(ExifFields, CodedValuesAsTexts) {
  const struct {
    ExifTag tag;
    int code;
    const char* field;
    const char* text;
  } cases[] = {
      {EXIF_TAG_FLASH, 0x00, "FlashDesc", "No Flash"},
      {EXIF_TAG_FLASH, 0x18, "FlashDesc", "No Flash"},  // auto, did not fire
      {EXIF_TAG_FLASH, 0x01, "FlashDesc", "Flash"},
      {EXIF_TAG_FLASH, 0x05, "FlashDesc", "Flash No Strobe"},
      {EXIF_TAG_FLASH, 0x07, "FlashDesc", "Flash Strobe"},
      {EXIF_TAG_FLASH, 0x1F, "FlashDesc", "Flash Strobe"},
      {EXIF_TAG_FLASH, 0x41, "FlashDesc", "Flash"},  // red-eye reduction
      {EXIF_TAG_LIGHT_SOURCE, 1, "LightSourceDesc", "Daylight"},
      {EXIF_TAG_LIGHT_SOURCE, 2, "LightSourceDesc", "Flourescent"},
      {EXIF_TAG_LIGHT_SOURCE, 3, "LightSourceDesc", "Tungsten"},
      {EXIF_TAG_LIGHT_SOURCE, 4, "LightSourceDesc", "Flash"},
      {EXIF_TAG_LIGHT_SOURCE, 17, "LightSourceDesc", "Standard Light A"},
      {EXIF_TAG_LIGHT_SOURCE, 18, "LightSourceDesc", "Standard Light B"},
      {EXIF_TAG_LIGHT_SOURCE, 19, "LightSourceDesc", "Standard Light C"},
      {EXIF_TAG_LIGHT_SOURCE, 20, "LightSourceDesc", "D55"},
      {EXIF_TAG_LIGHT_SOURCE, 22, "LightSourceDesc", "D75"},
      {EXIF_TAG_LIGHT_SOURCE, 255, "LightSourceDesc", "Other"},
      {EXIF_TAG_LIGHT_SOURCE, 99, "LightSourceDesc", "Other"},
      {EXIF_TAG_ORIENTATION, 3, "OrientationDesc", "Rotated 180\xC2\xB0"},
      {EXIF_TAG_ORIENTATION, 8, "OrientationDesc", "Rotated 270\xC2\xB0 clockwise"},
      {EXIF_TAG_ORIENTATION, 9, "OrientationDesc", ""},
      {EXIF_TAG_EXPOSURE_PROGRAM, 1, "ExposureProgramDesc", "Manual"},
      {EXIF_TAG_EXPOSURE_PROGRAM, 42, "ExposureProgramDesc", "Unknown"},
      {EXIF_TAG_METERING_MODE, 255, "MeteringMethod", "Other"},
  };
  for (const auto& c : cases) {
    ExifWriter exif;
    exif.Short(c.tag, c.code);
    EXPECT_EQ(ValuesOf(exif.Jpeg(Picture()))[c.field], c.text) << c.field << " " << c.code;
  }
}

TEST(ExifFields, TimesAndApertures) {
  const struct {
    ExifTag tag;
    long numerator, denominator;
    const char* field;
    const char* text;
  } cases[] = {
      {EXIF_TAG_EXPOSURE_TIME, 10, 1250, "Exposure", "1/125 seconds"},
      {EXIF_TAG_EXPOSURE_TIME, 1, 4000, "Exposure", "1/4000 seconds"},
      {EXIF_TAG_EXPOSURE_TIME, 3, 10, "Exposure", "0.3 seconds"},
      {EXIF_TAG_EXPOSURE_TIME, 30, 1, "Exposure", "30 seconds"},
      {EXIF_TAG_EXPOSURE_TIME, 13, 10, "Exposure", "1.3 seconds"},
      {EXIF_TAG_EXPOSURE_TIME, 1, 0, "Exposure", ""},  // no denominator: no value
      {EXIF_TAG_SHUTTER_SPEED_VALUE, 0, 1, "ShutterSpeed", "1"},
      {EXIF_TAG_SHUTTER_SPEED_VALUE, -1, 1, "ShutterSpeed", "2"},
      {EXIF_TAG_SHUTTER_SPEED_VALUE, 10, 1, "ShutterSpeed", "1/1024"},
      {EXIF_TAG_SHUTTER_SPEED_VALUE, 1000, 1, "ShutterSpeed", ""},  // out of any camera's range
      {EXIF_TAG_APERTURE_VALUE, 0, 1, "Aperture", "f/1"},
      {EXIF_TAG_APERTURE_VALUE, 7, 1, "Aperture", "f/11.3"},
  };
  for (const auto& c : cases) {
    ExifWriter exif;
    if (c.tag == EXIF_TAG_SHUTTER_SPEED_VALUE) {
      exif.SRational(c.tag, static_cast<int>(c.numerator), static_cast<int>(c.denominator));
    } else {
      exif.Rational(c.tag, static_cast<unsigned>(c.numerator),
                    static_cast<unsigned>(c.denominator));
    }
    EXPECT_EQ(ValuesOf(exif.Jpeg(Picture()))[c.field], c.text)
        << c.field << " " << c.numerator << "/" << c.denominator;
  }
}

TEST(ExifFields, UserCommentFollowsItsCharacterCode) {
  const std::string cafe = "Caf\xC3\xA9";
  const struct {
    const char* what;
    ExifByteOrder order;
    std::string comment, text;
  } cases[] = {
      {"ASCII in Latin-1", EXIF_BYTE_ORDER_MOTOROLA, UserComment("ASCII\0\0\0", "Caf\xE9"), cafe},
      {"ASCII ends at a zero", EXIF_BYTE_ORDER_MOTOROLA,
       UserComment("ASCII\0\0\0", std::string("Hi\0\0junk", 8)), "Hi"},
      {"Unicode in the file's big-endian order", EXIF_BYTE_ORDER_MOTOROLA,
       UserComment("UNICODE\0", Utf16(u"Caf\u00E9", true)), cafe},
      {"Unicode written little-endian into a big-endian file", EXIF_BYTE_ORDER_MOTOROLA,
       UserComment("UNICODE\0", Utf16(u"Caf\u00E9", false)), cafe},
      {"a byte order mark decides", EXIF_BYTE_ORDER_INTEL,
       UserComment("UNICODE\0", Utf16(u"\uFEFF\u65E5\u672C", true)), "\xE6\x97\xA5\xE6\x9C\xAC"},
      {"Unicode ends at a zero unit, padding after it", EXIF_BYTE_ORDER_INTEL,
       UserComment("UNICODE\0", Utf16(u"ok", false) + std::string(6, '\0')), "ok"},
      {"an unpaired surrogate is replaced", EXIF_BYTE_ORDER_INTEL,
       UserComment("UNICODE\0", Utf16(u"a\xD800z", false)), "a\xEF\xBF\xBDz"},
      {"undefined code: the bytes as a camera writes them", EXIF_BYTE_ORDER_INTEL,
       UserComment("\0\0\0\0\0\0\0\0", "Caf\xE9"), cafe},
      {"JIS in plain ASCII", EXIF_BYTE_ORDER_INTEL, UserComment("JIS\0\0\0\0\0", "abc"), "abc"},
      {"JIS beyond ASCII is left out rather than garbled", EXIF_BYTE_ORDER_INTEL,
       UserComment("JIS\0\0\0\0\0", "\x1B$B$3\x1B(B"), ""},
      {"shorter than its code", EXIF_BYTE_ORDER_INTEL, "note", "note"},
  };
  for (const auto& c : cases) {
    ExifWriter exif(c.order);
    exif.Undefined(EXIF_TAG_USER_COMMENT, c.comment);
    EXPECT_EQ(ValuesOf(exif.Jpeg(Picture()))["UserComments"], c.text) << c.what;
  }
}

TEST(ExifFields, TextsOfEveryEncodingBecomeUtf8) {
  const struct {
    const char* what;
    std::string bytes, text;
  } cases[] = {
      {"Latin-1", "Ren\xE9", "Ren\xC3\xA9"},
      {"the Windows additions", "\x80 \x93q\x94", "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D"},
      {"UTF-8 stays", "Ren\xC3\xA9", "Ren\xC3\xA9"},
      {"plain", "Anna", "Anna"},
  };
  for (const auto& c : cases) {
    ExifWriter exif;
    exif.Ascii(EXIF_TAG_ARTIST, c.bytes);
    EXPECT_EQ(ValuesOf(exif.Jpeg(Picture()))["Artist"], c.text) << c.what;
  }
}

TEST(ExifFields, WrongFormatsGiveNoValue) {
  ExifWriter exif;
  exif.Long(EXIF_TAG_ORIENTATION, 6).Long(EXIF_TAG_FLASH, 1).Short(EXIF_TAG_EXPOSURE_TIME, 5);
  auto values = ValuesOf(exif.Jpeg(Picture()));
  EXPECT_EQ(values["OrientationDesc"], "");
  EXPECT_EQ(values["FlashDesc"], "");
  EXPECT_EQ(values["Exposure"], "");
}

TEST(ExifFields, PicturesWithoutExifHaveNone) {
  const std::string plain = test::WildJpeg(Picture(), test::JpegShape::Plain);
  ExifWriter exif;
  exif.Ascii(EXIF_TAG_MAKE, "Lumetric");
  const std::string segment = exif.Segment();
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"no bytes", ""},
      {"a JPEG without EXIF", plain},
      {"no picture at all", "not a picture"},
      {"an EXIF segment cut short", ExifWriter::WithSegment(plain, segment.substr(0, 12))},
      {"an EXIF segment of zeros", ExifWriter::WithSegment(plain, std::string(64, '\0'))},
  };
  for (const auto& c : cases) EXPECT_FALSE(ExifFieldsOf(c.bytes).has_value()) << c.what;
}

TEST(ExifFields, ReadsFiles) {
  test::TempFolder dir;
  ExifWriter exif;
  exif.Ascii(EXIF_TAG_MAKE, "Lumetric");
  const std::string path = dir / "camera.jpg";
  std::ofstream(path, std::ios::binary) << exif.Jpeg(Picture());
  const auto fields = ExifFieldsOfFile(path);
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ((*fields)[1].value, "Lumetric");
  EXPECT_FALSE(ExifFieldsOfFile(dir / "missing.jpg").has_value());
  EXPECT_FALSE(ExifFieldsOfFile(dir.Path().string()).has_value());  // a folder
}

}  // namespace
}  // namespace vx
