#include "archive/main_icon.h"

#include <filesystem>
#include <stdexcept>

#include "blocks/data_blocks.h"
#include "picture/icon.h"
#include "platform/files.h"

namespace vx {

void ReplaceMainIcon(const std::string& executable, const std::string& iconFile) {
  const std::string ico = ReadIconFile(iconFile);
  // Readers find blocks by their markers: an icon holding one would cut its own block short
  // or pass for another block.
  const std::string endTag = EndMarker("");
  const std::string startTag = StartMarker("").substr(0, endTag.size());
  if (ico.find(startTag) != std::string::npos || ico.find(endTag) != std::string::npos)
    throw std::runtime_error("Icon file is invalid");
  std::string image = ReadWholeFile(executable);
  const std::string start = StartMarker(kMainIconBlock);
  const std::string end = EndMarker(kMainIconBlock);
  size_t at = image.size();
  if (const size_t found = image.find(start); found != std::string::npos) {
    const size_t endAt = image.find(end, found + start.size());
    if (endAt != std::string::npos) {
      at = found;
      image.erase(found, endAt + end.size() - found);
    }
  }
  image.insert(at, start + ico + end);
  WriteFileAtomically(executable, image);
}

void ApplyIcon(std::string_view ico, const std::string& executable) {
  const WorkingFile icon(std::filesystem::path(executable).parent_path().string(), ".icon", ".ico");
  WriteFileAtomically(icon.Path(), ico);
  ReplaceMainIcon(executable, icon.Path());
}

}  // namespace vx
