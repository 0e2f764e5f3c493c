// What the new-project wizard decides: the result document that becomes the new project.
#pragma once

#include <string>
#include <vector>

#include "document/kel_pigger.h"
#include "document/property_text.h"

namespace vx {

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
