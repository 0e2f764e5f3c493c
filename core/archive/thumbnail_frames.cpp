#include "archive/thumbnail_frames.h"

#include <map>

#include "document/vocabulary.h"
#include "picture/stored_thumbnail.h"
#include "text/text_case.h"

namespace vx {

namespace n = names;

std::set<std::string> FramesGivenThumbnails(const TKelPigger& document) {
  // Block names as the markers carry them (upper case), with the frame a thumbnail is for.
  // The fixed names (PIG_TXT, MAINICON, SEALED_...) never start like a thumbnail's. Two
  // thumbnails' names clash only as their frames' picture blocks do (F1 and F10), and each
  // follows its picture, so they read back as the pictures do.
  std::set<std::string> others;
  std::map<std::string, std::string> thumbnails;
  for (const TKelPigger* frame = document.FindChild(n::kFrame); frame;
       frame = document.FindNext(frame)) {
    const std::string id = frame->GetAttr(n::kFrameId);
    if (id.empty()) continue;
    others.insert(AsciiUpper(id));
    thumbnails.emplace(AsciiUpper(ThumbnailBlockName(id)), id);
    if (const TKelPigger* pointers = frame->FindChild(n::kPointers)) {
      for (int i = 0; i < pointers->ChildCount(); ++i)
        others.insert(AsciiUpper(pointers->Child(i)->GetAttr(n::kObjectId)));
    }
  }
  std::set<std::string> given;
  for (const auto& [name, id] : thumbnails) {
    bool clashes = others.contains(name);
    for (size_t length = 1; length < name.size() && !clashes; ++length)
      clashes = others.contains(name.substr(0, length));
    const auto next = others.upper_bound(name);
    if (next != others.end() && next->starts_with(name)) clashes = true;
    if (!clashes) given.insert(id);
  }
  return given;
}

}  // namespace vx
