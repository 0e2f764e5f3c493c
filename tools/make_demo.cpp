// Writes the demo: a few pictures made by code into DIST/graphics, with EXIF data as a camera
// writes it, and a project using them into DIST/projects/Demo.vxpr, with fields, a
// description, a cloud, an arrow and a protected area behind the password "vellumax"; texts
// in many scripts show the fonts the programs fall back on.
//   make_demo DIST
#include <cstdio>
#include <filesystem>
#include <string>

#include "document/conversions.h"
#include "document/kel_pigger.h"
#include "document/vocabulary.h"
#include "exif_writer.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "pointers/pointer_record.h"
#include "protection/cipher.h"
#include "sample_pictures.h"

namespace {

namespace fs = std::filesystem;
namespace n = vx::names;

constexpr const char* kPassword = "vellumax";
constexpr const char* kEveryScript = "Hello Привет 你好 こんにちは 안녕하세요 مرحبا שלום 🎉";

void AddField(vx::TKelPigger& fields, const char* name, const char* type, const char* value) {
  auto* field = new vx::TKelPigger(&fields);
  field->SetName(n::kField);
  field->SetAttr(n::kFieldName, name);
  field->SetAttr(n::kFieldType, type);
  field->SetAttr(n::kValue, value);
}

vx::PointerRecord Pointer(vx::PointerKind kind, double x, double y, const char* label) {
  vx::PointerRecord record;
  record.kind = kind;
  record.id = vx::NewId();
  record.anchorX = x;
  record.anchorY = y;
  record.label = label;
  record.brush = vx::TextToColor("#FFFF80");
  record.pen = vx::TextToColor("#808080");
  record.text = vx::TextToColor("#FF0000");
  return record;
}

// What a camera says of picture i; its texts in Latin-1, as many cameras write them.
std::string CameraJpeg(int i) {
  vx::ExifWriter exif;
  exif.Ascii(EXIF_TAG_MAKE, "DEMO CAMERA")
      .Ascii(EXIF_TAG_MODEL, "DC-1600")
      .Ascii(EXIF_TAG_ARTIST, "Ren\xE9 M\xFCller")
      .Ascii(EXIF_TAG_DATE_TIME_ORIGINAL, "2026:04:0" + std::to_string(i + 1) + " 10:15:00")
      .Undefined(EXIF_TAG_USER_COMMENT,
                 vx::UserComment("UNICODE\0", vx::Utf16(u"Made by code \u2600", true)))
      .Rational(EXIF_TAG_EXPOSURE_TIME, 1, 250 << (i % 2))
      .Short(EXIF_TAG_EXPOSURE_PROGRAM, 3)
      .Rational(EXIF_TAG_APERTURE_VALUE, 4970854, 1000000)
      .Short(EXIF_TAG_METERING_MODE, 5)
      .Short(EXIF_TAG_LIGHT_SOURCE, 1)
      .Short(EXIF_TAG_FLASH, 0x10);
  return exif.Jpeg(vx::MakeSamplePicture(1600, 1200, 7 + i));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_demo DIST\n");
    return 2;
  }
  const fs::path dist = fs::absolute(argv[1]);
  for (const char* folder : {"graphics", "projects", "output"})
    fs::create_directories(dist / folder);

  const char* names[] = {"Harbour", "Old town", "Market", "Hills"};
  vx::TKelPigger project;
  project.SetName(n::kProjectRoot);
  project.SetAttr(n::kOutputFile,
                  (dist / "output" / (std::string("Demo") + vx::kExecutableExtension)).string());
  project.SetAttr(n::kJpegQuality, "80");
  project.SetAttr(n::kOutputKind, "0");
  project.SetAttr(n::kPassword, vx::HexEncode(vx::StorePassword(kPassword)));
  project.SetAttr(n::kPasswordLinkText, "Ask the photographer for the password");
  project.SetAttr(n::kPasswordLinkAddress, "example.com");
  for (int i = 0; i < 4; ++i) {
    const std::string file = (dist / "graphics" / (std::string(names[i]) + ".jpg")).string();
    vx::WriteFileAtomically(file, CameraJpeg(i));
    auto* frame = new vx::TKelPigger(&project);
    frame->SetName(n::kFrame);
    frame->SetAttr(n::kFrameId, vx::NewId());
    frame->SetAttr(n::kSourceFile, file);
    auto* fields = new vx::TKelPigger(frame);
    fields->SetName(n::kFields);
    fields->Text = std::string("Sample picture ") + std::to_string(i + 1) +
                   ", made by code.\r\nA second line.\r\n" + kEveryScript;
    AddField(*fields, "Place", n::kTypeText, names[i]);
    AddField(*fields, "Year", n::kTypeText, i % 2 ? "2025" : "2026");
    AddField(*fields, "Contact", n::kTypeMail, "someone@example.com");
    AddField(*fields, "Greeting", n::kTypeText, kEveryScript);
    auto* pointers = new vx::TKelPigger(frame);
    pointers->SetName(n::kPointers);
    vx::WritePointerRecord(
        *pointers, Pointer(vx::PointerKind::Cloud, 0.3, 0.4, "A cloud 雲 구름 غيمة ☁️"));
    vx::PointerRecord arrow = Pointer(vx::PointerKind::Arrow, 0.7, 0.6, "An arrow 矢印 стрелка 🎯");
    arrow.leftToRight = i % 2 == 1;
    vx::WritePointerRecord(*pointers, arrow);
    vx::PointerRecord area = Pointer(vx::PointerKind::Area, 0.1, 0.65, "Protected");
    area.areaWidth = 0.25;
    area.areaHeight = 0.2;
    vx::WritePointerRecord(*pointers, area);
    frame->SetAttr(n::kFooter, fs::path(file).filename().string());
  }
  const std::string projectPath = (dist / "projects" / "Demo.vxpr").string();
  project.SaveToFile(projectPath);
  std::printf("%s\n", projectPath.c_str());
  return 0;
}
