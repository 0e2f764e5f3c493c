#include "document/output_file.h"

#include <filesystem>

#include "platform/paths.h"
#include "text/trim.h"

namespace vx {
namespace {

// Where the name after the last folder delimiter starts.
size_t NameStart(std::string_view file) {
  const size_t slash = file.find_last_of('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

// Where the extension starts: the last dot of the name, or the end.
size_t ExtensionStart(std::string_view file) {
  const size_t dot = file.find_last_of('.');
  return dot == std::string_view::npos || dot < NameStart(file) ? file.size() : dot;
}

}  // namespace

std::string ArchiveExtensionOf(int kind) {
  return kind == kExecutableKind ? kExecutableExtension : ".zip";
}

std::string WithArchiveExtension(std::string_view file, int kind) {
  if (Trim(file).empty()) return std::string(file);
  return std::string(file.substr(0, ExtensionStart(file))) + ArchiveExtensionOf(kind);
}

bool NamesAFile(std::string_view file) {
  const size_t start = NameStart(file);
  return !Trim(file.substr(start, ExtensionStart(file) - start)).empty();
}

std::string NormalisedOutputFile(const std::string& outputFile, const std::string& outputKind,
                                 const std::string& outputFolder, const std::string& projectFile) {
  std::string file(Trim(outputFile));
  if (!NamesAFile(file)) {
    const std::string name = std::filesystem::path(projectFile).stem().string();
    const std::string folder = file.substr(0, NameStart(file));
    file = folder.empty() ? (std::filesystem::path(std::string(Trim(outputFolder))) / name).string()
                          : folder + name;
  }
  return WithArchiveExtension(file, outputKind == "0" ? kExecutableKind : kEnvelopedKind);
}

}  // namespace vx
