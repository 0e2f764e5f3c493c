// Archives made by the archive maker for viewer tests: pictures made by code, a project
// text, and a stand-in for the viewer program in front of the blocks.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "archive/archive_maker.h"
#include "blocks/data_blocks.h"
#include "document/project.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "sample_pictures.h"
#include "support/temp_folder.h"

namespace vx::test {

class NoMessages : public MakeObserver {
 public:
  void ShowMessage(const std::string&) override {}
  void ShowPictureProgress(int) override {}
  void ShowZipping() override {}
  bool BreakRequested() override { return false; }
};

// Writes count pictures named p0.jpg ... into the folder and returns the project text's
// frames: frame i has the identifier F<i> and the extra children given for it.
inline std::string SampleFrames(const TempFolder& dir, int count, Size size,
                                const std::function<std::string(int)>& children = {}) {
  std::string frames;
  for (int i = 0; i < count; ++i) {
    const std::string path = dir / ("p" + std::to_string(i) + ".jpg");
    WriteFileAtomically(path, *EncodeJpeg(MakeSamplePicture(size.width, size.height, 40 + i), 85));
    frames += "<FRAME FRAME_ID=F" + std::to_string(i) + " SRC_FILE=\"" + path + "\">" +
              (children ? children(i) : "") + "</FRAME>";
  }
  return frames;
}

// Makes the archive of the project text (root attributes and frames) with the password, with
// the protection PROTECTION names; strong protection with the least work factors unless given.
// Stored thumbnails unless asked otherwise.
inline std::string MakeTestArchive(const TempFolder& dir, const std::string& rootAttributes,
                                   const std::string& frames, const std::string& password = "",
                                   const KeyParameters& parameters = kLeastKeyParameters,
                                   bool thumbnails = true) {
  const std::string archive = dir / "archive.run";
  TKelPigger project;
  project.LoadFromText("<VX OUTPUT_FILE=\"" + archive + "\" JPQ=80 " + rootAttributes + ">" +
                       frames + "</VX>");
  auto made = DocumentForMaking(project, password, ProtectionOf(project), parameters);
  MakeOptions options;
  options.viewerPath = dir.Write("viewer-stub", "VIEWER PROGRAM");
  options.areas = made.areas;
  options.thumbnails = thumbnails;
  NoMessages observer;
  if (!MakeArchive(*made.document, options, observer)) return "";
  return archive;
}

}  // namespace vx::test
