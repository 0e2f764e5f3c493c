// What the new-project wizard decides: the archive file's name for the output kind, whether a
// name names a file at all, and the result document that becomes the new project.
#pragma once

#include <string>
#include <vector>

#include "document/kel_pigger.h"
#include "document/property_text.h"

namespace vx {

// The file with its extension (the part of its name from the last dot on) replaced by the
// kind's, or given it when it has none.
std::string WithKindExtension(const std::string& file, OutputKind kind);
// False when nothing is left of the name once its folder and extension are taken away and
// blanks trimmed: ".run" alone, a folder path ending in a delimiter, blanks.
bool NamesAFile(const std::string& file);

// The wizard's choices.
struct NewProject {
  OutputKind kind = kExecutableKind;
  std::string outputFile;
  int jpegQuality = 65;
  std::vector<std::string> sources;  // full paths, in the archive's order
};

// result is emptied and becomes the root "WZ" with OFT, OUTPUT_FILE and JPQ, and a FRAME per
// source with a new FRAME_ID, SRC_FILE and the file name as FOOTER.
void FillWizardResult(TKelPigger& result, const NewProject& project);

}  // namespace vx
