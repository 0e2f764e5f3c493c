// The archive as the viewer sees it: its description, its settings and the pictures of its
// frames, read from the blocks of the viewer's own file.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "document/conversions.h"
#include "document/kel_pigger.h"
#include "picture/bitmap.h"
#include "picture/jpeg_codec.h"
#include "protection/archive_lock.h"

namespace vx::viewer {

using BlockSource = std::function<std::string_view(std::string_view name)>;

class ArchiveSession {
 public:
  explicit ArchiveSession(BlockSource blocks) : blocks_(std::move(blocks)) {}

  // Parses the description block afresh; false when it is missing, empty or broken.
  bool LoadDescription();
  TKelPigger& Document() { return document_; }
  const TKelPigger& Document() const { return document_; }

  // The FRAME with that identifier, compared case-insensitively.
  const TKelPigger* FrameById(std::string_view id) const;
  // The frame's picture, with its protected areas restored when the lock opens them;
  // nothing when the block is missing, fails to inflate or is no JPEG file.
  std::optional<Bitmap> LoadFramePicture(std::string_view id, JpegScale scale,
                                         const AreaLock& areas) const;
  // The same for a frame element at hand; safe on worker threads when each has its own
  // frame, also while the description is loaded again (it is not searched).
  std::optional<Bitmap> DecodeFramePicture(const TKelPigger& frame, JpegScale scale,
                                           const AreaLock& areas) const;

  // The picture for the frame's tile, whose picture fits box: the stored thumbnail when the
  // archive has an intact one at least that large and none of its areas is to be restored,
  // else the picture decoded at a quarter as DecodeFramePicture does. Safe as that is.
  std::optional<Bitmap> DecodeFrameThumbnail(const TKelPigger& frame, Size box,
                                             const AreaLock& areas) const;

  // The frame's stored JPEG file as it is (inflated when the archive compresses pictures);
  // safe on worker threads.
  std::optional<std::string> FramePictureBytes(std::string_view id) const;

  // Settings the description carries.
  std::optional<Color> LensBorderColor() const;  // MG_BORDER_COLOR when present
  std::optional<int> StripWidth() const;         // TNP_WIDTH when a number
  ArchivePassword Password() const { return ArchivePassword::Of(document_); }

 private:
  BlockSource blocks_;
  TKelPigger document_;
  // USE_ZIP is "Y"; kept apart so workers need not read the description.
  std::atomic<bool> compressed_{false};
};

// The caption of a frame's tile: its source file's name without folder and extension.
std::string FrameCaption(const TKelPigger& frame);

}  // namespace vx::viewer
