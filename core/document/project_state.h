// A project as the builder's window holds it between loading and saving: the root keys as
// texts (the password in plain text) and the frames in strip order, each with its fields and
// pointers as the texts of their subtrees.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/kel_pigger.h"

namespace vx {

struct ProjectProperties {
  std::string outputFile;
  std::string noHintLine;  // read and written back, nothing else
  std::string lensBorderColor;
  std::string lensDiameter;
  std::string jpegQuality;
  std::string outputKind;
  std::string pointersInZip;
  std::string icon;
  std::string password;  // plain; a project file keeps its stored form
  std::string passwordLinkText;
  std::string passwordLinkAddress;
  std::string protection;  // read and written back

  bool operator==(const ProjectProperties&) const = default;
};

struct FrameRecord {
  std::string id;
  std::string sourceFile;
  std::string footer;
  std::string fieldsText;    // a whole FLDS subtree, or empty
  std::string pointersText;  // a whole PNTRS subtree, or empty

  bool operator==(const FrameRecord&) const = default;
};

// Everything a project file stores, as the window holds it.
struct ProjectState {
  ProjectProperties properties;
  std::optional<int> stripWidth;
  std::vector<FrameRecord> frames;

  bool operator==(const ProjectState&) const = default;
};

// The root keys of a project document; an empty OFT reads as "0".
ProjectProperties ReadProperties(const TKelPigger& project);
// The frames in document order. A frame without an identifier gets a new one and
// *identifiersMade is set.
std::vector<FrameRecord> ReadFrames(const TKelPigger& project, bool* identifiersMade = nullptr);
// TNP_WIDTH when it is a whole number.
std::optional<int> StripWidthOf(const TKelPigger& project);

// Rebuilds the document: root VX, the keys in their order (empty ones left out), then a FRAME
// per record with its FLDS and PNTRS subtrees and FOOTER. A subtree text that does not parse
// fails with the parser's error and leaves the document cleared.
void WriteProject(TKelPigger& document, const ProjectProperties& properties,
                  std::optional<int> stripWidth, const std::vector<FrameRecord>& frames);

// The text a project file of the state holds.
std::string ProjectText(const ProjectState& state);

// The first projectsFolder/ProjectN.vxpr (N = 1, 2, ...) that does not exist.
std::string NewProjectFileName(const std::string& projectsFolder);

}  // namespace vx
