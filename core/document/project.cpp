#include "document/project.h"

#include <stdexcept>

#include "document/conversions.h"
#include "document/vocabulary.h"
#include "protection/cipher.h"

namespace vx {

namespace n = names;

Project LoadProjectFile(const std::string& path) {
  Project project{std::make_unique<TKelPigger>(), {}};
  project.document->LoadFromFile(path);
  if (project.document->Name != n::kProjectRoot) throw std::runtime_error("File loading error.");
  const std::string stored = project.document->GetAttr(n::kPassword);
  if (!stored.empty()) project.password = RestorePassword(HexDecode(stored));
  for (TKelPigger* frame = project.document->FindChild(n::kFrame); frame;
       frame = project.document->FindNext(frame)) {
    if (frame->GetAttr(n::kFrameId).empty()) frame->SetAttr(n::kFrameId, NewId());
  }
  return project;
}

std::unique_ptr<TKelPigger> DocumentForMaking(const TKelPigger& project,
                                              const std::string& password) {
  auto document = std::make_unique<TKelPigger>();
  document->Assign(project);
  document->SetAttr(n::kPassword, password.empty() ? "" : DigestText(password));
  return document;
}

}  // namespace vx
