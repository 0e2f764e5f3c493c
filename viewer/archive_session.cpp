#include "archive_session.h"

#include "blocks/data_blocks.h"
#include "document/project_state.h"
#include "document/vocabulary.h"
#include "picture/stored_thumbnail.h"
#include "protection/protected_areas.h"

namespace vx::viewer {

namespace n = names;

bool ArchiveSession::LoadDescription() {
  const std::string_view text = blocks_("PIG_TXT");
  if (text.empty()) return false;
  try {
    document_.LoadFromText(std::string(text));
    compressed_ = document_.GetAttr(n::kUseZip) == n::kYes;
    return true;
  } catch (const EKelPiggerError&) {
    document_.Clear();
    return false;
  }
}

const TKelPigger* ArchiveSession::FrameById(std::string_view id) const {
  return document_.FindChildByAttr(n::kFrameId, id);
}

std::optional<Bitmap> ArchiveSession::LoadFramePicture(std::string_view id, JpegScale scale,
                                                       const AreaLock& areas) const {
  if (const TKelPigger* frame = FrameById(id)) return DecodeFramePicture(*frame, scale, areas);
  return std::nullopt;
}

std::optional<Bitmap> ArchiveSession::DecodeFramePicture(const TKelPigger& frame, JpegScale scale,
                                                         const AreaLock& areas) const {
  try {
    const std::string_view block = blocks_(frame.GetAttr(n::kFrameId));
    // Compressed pictures only when the flag is exactly "Y".
    Bitmap picture =
        compressed_ ? DecodeJpeg(DecompressToStream(block), scale) : DecodeJpeg(block, scale);
    RestoreAreas(picture, frame, areas, blocks_);
    return picture;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<Bitmap> ArchiveSession::DecodeFrameThumbnail(const TKelPigger& frame, Size box,
                                                           const AreaLock& areas) const {
  // A stored thumbnail has its protected areas black: once they open, the picture shows them.
  if (areas.OpensNothing() || !HasProtectedAreas(frame)) {
    const std::string block = ThumbnailBlockName(frame.GetAttr(n::kFrameId));
    if (auto stored = DecodeStoredThumbnail(blocks_(block), box)) return stored;
  }
  return DecodeFramePicture(frame, JpegScale::Quarter, areas);
}

std::optional<std::string> ArchiveSession::FramePictureBytes(std::string_view id) const {
  try {
    const std::string_view block = blocks_(id);
    if (block.empty()) return std::nullopt;
    return compressed_ ? DecompressToStream(block) : std::string(block);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<Color> ArchiveSession::LensBorderColor() const {
  const std::string text = document_.GetAttr(n::kLensBorderColor);
  if (text.empty()) return std::nullopt;
  return TextToColor(text);
}

std::optional<int> ArchiveSession::StripWidth() const { return StripWidthOf(document_); }

std::string FrameCaption(const TKelPigger& frame) {
  // Archives made elsewhere may carry Windows paths: both separators end a folder.
  std::string path = frame.GetAttr(n::kSourceFile);
  const size_t slash = path.find_last_of("/\\");
  if (slash != std::string::npos) path.erase(0, slash + 1);
  const size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && dot > 0) path.erase(dot);
  return path;
}

}  // namespace vx::viewer
