#include "wizard/new_project.h"

#include <filesystem>

#include "document/conversions.h"
#include "document/vocabulary.h"

namespace vx {
namespace {

namespace n = names;

}  // namespace

void FillWizardResult(TKelPigger& result, const NewProject& project) {
  result.Clear();
  result.SetName(n::kWizardRoot);
  result.SetAttr(n::kOutputKind, std::to_string(static_cast<int>(project.kind)));
  result.SetAttr(n::kOutputFile, project.outputFile);
  result.SetAttr(n::kJpegQuality, std::to_string(project.jpegQuality));
  for (const std::string& source : project.sources) {
    auto* frame = new TKelPigger(&result);
    frame->SetName(n::kFrame);
    frame->SetAttr(n::kFrameId, NewId());
    frame->SetAttr(n::kSourceFile, source);
    frame->SetAttr(n::kFooter, std::filesystem::path(source).filename().string());
  }
}

}  // namespace vx
