#include "wizard/new_project.h"

#include "document/conversions.h"
#include "document/vocabulary.h"
#include "text/trim.h"

namespace vx {
namespace {

namespace n = names;

// Where the name after the last folder delimiter starts.
size_t NameStart(const std::string& file) {
  const size_t slash = file.find_last_of('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// Where the extension starts: the last dot of the name, or the end.
size_t ExtensionStart(const std::string& file) {
  const size_t dot = file.find_last_of('.');
  return dot == std::string::npos || dot < NameStart(file) ? file.size() : dot;
}

}  // namespace

std::string WithKindExtension(const std::string& file, OutputKind kind) {
  return file.substr(0, ExtensionStart(file)) + ArchiveExtensionOf(kind);
}

bool NamesAFile(const std::string& file) {
  const size_t start = NameStart(file);
  return !Trim(std::string_view(file).substr(start, ExtensionStart(file) - start)).empty();
}

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
    frame->SetAttr(n::kFooter, source.substr(NameStart(source)));
  }
}

}  // namespace vx
