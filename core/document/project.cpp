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

ArchiveDocument DocumentForMaking(const TKelPigger& project, const std::string& password,
                                  Protection protection, const KeyParameters& parameters) {
  ArchiveDocument made{std::make_unique<TKelPigger>(), {}};
  made.document->Assign(project);
  made.areas = LockDescription(*made.document, password, protection, parameters);
  return made;
}

}  // namespace vx
