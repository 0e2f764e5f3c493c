#include "protection/protected_areas.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "blocks/data_blocks.h"
#include "document/conversions.h"
#include "document/vocabulary.h"
#include "picture/bmp_codec.h"
#include "protection/cipher.h"
#include "protection/sealed_area.h"

namespace vx {
namespace {

namespace n = names;

// Coordinates further out than this are no area of any picture; every edge of an accepted
// rectangle, right and bottom included, lies strictly inside it, so the sums stay ints.
constexpr std::int64_t kFarOut = std::int64_t{1} << 30;

// size x the key's value, checked before it becomes an integer. An absent area width or
// height is 0, as for every pointer record; the anchor must be there.
double Scaled(int size, const TKelPigger& area, const char* key, bool required) {
  const std::string text = area.GetAttr(key);
  if (text.empty() && !required) return 0;
  const double value = size * TextToReal(text);
  if (!std::isfinite(value) || std::fabs(value) >= static_cast<double>(kFarOut))
    throw std::invalid_argument(text + " isn't a valid float");
  return value;
}

template <typename Visit>
void ForEachArea(const TKelPigger& frame, Visit visit) {
  const TKelPigger* pointers = frame.FindChild(n::kPointers);
  if (!pointers) return;
  for (const TKelPigger* area = pointers->FindChild(n::kProtectedArea); area;
       area = pointers->FindNext(area)) {
    visit(*area);
  }
}

}  // namespace

Rect AreaRectangle(const TKelPigger& area, int W, int H) {
  const auto left = static_cast<std::int64_t>(std::nearbyint(Scaled(W, area, n::kAnchorX, true)));
  const auto top = static_cast<std::int64_t>(std::nearbyint(Scaled(H, area, n::kAnchorY, true)));
  const auto width =
      static_cast<std::int64_t>(std::trunc(Scaled(W, area, n::kAreaWidth, false))) + 1;
  const auto height =
      static_cast<std::int64_t>(std::trunc(Scaled(H, area, n::kAreaHeight, false))) + 1;
  if (width <= 0 || height <= 0) throw std::invalid_argument("Area of no size");
  for (std::int64_t edge : {left, top, left + width, top + height}) {
    if (edge <= -kFarOut || edge >= kFarOut) throw std::invalid_argument("Area too far out");
  }
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
          static_cast<int>(top + height)};
}

AreaLock AreaLock::Compatible(std::string_view password) {
  AreaLock lock;
  lock.scheme_ = Scheme::Compatible;
  lock.opens_ = !password.empty();
  lock.cipher_ = AreaKey(password);
  return lock;
}

AreaLock AreaLock::Strong(const SealKey& key) {
  AreaLock lock;
  lock.scheme_ = Scheme::Strong;
  lock.opens_ = true;
  lock.key_ = key;
  return lock;
}

bool AreaLock::operator==(const AreaLock& other) const {
  return scheme_ == other.scheme_ && opens_ == other.opens_ &&
         cipher_.start == other.cipher_.start && cipher_.multiplier == other.cipher_.multiplier &&
         cipher_.addend == other.cipher_.addend && key_ == other.key_;
}

std::optional<AreaBlock> AreaLock::Lock(Bitmap& area, std::string_view frameId,
                                        std::string_view objectId) const {
  switch (scheme_) {
    case Scheme::Keyless:
      return std::nullopt;
    case Scheme::Compatible:
      LockArea(area, {1, 1, area.Width() - 1, area.Height() - 1}, cipher_);
      return AreaBlock{std::string(objectId), CompressToString(EncodeBmp(area))};
    case Scheme::Strong:
      return AreaBlock{SealedBlockName(objectId),
                       SealArea(CompressToString(EncodeBmp(area)), key_, frameId, objectId)};
  }
  return std::nullopt;
}

Bitmap AreaLock::Open(const BlockReader& readBlock, std::string_view frameId,
                      std::string_view objectId) const {
  if (scheme_ == Scheme::Strong) {
    const auto plain =
        OpenSealedArea(readBlock(SealedBlockName(objectId)), key_, frameId, objectId);
    if (!plain) throw std::runtime_error("Area block does not open");
    return DecodeBmp(DecompressToStream(*plain));
  }
  Bitmap area = DecodeBmp(DecompressToStream(readBlock(objectId)));
  UnlockArea(area, {1, 1, area.Width(), area.Height()}, cipher_);
  return area;
}

std::vector<AreaBlock> LockFrameAreas(Bitmap& picture, const TKelPigger& frame,
                                      const AreaLock& lock) {
  std::vector<AreaBlock> blocks;
  const std::string frameId = frame.GetAttr(n::kFrameId);
  bool failed = false;
  ForEachArea(frame, [&](const TKelPigger& element) {
    if (failed) return;
    try {
      const Rect rect = AreaRectangle(element, picture.Width(), picture.Height());
      const int w = rect.Width(), h = rect.Height();
      Bitmap area(w + 1, h + 1);
      StretchCopy(picture, rect, area, {1, 1, w + 1, h + 1});
      picture.FillRect(rect, 0);
      if (auto block = lock.Lock(area, frameId, element.GetAttr(n::kObjectId)))
        blocks.push_back(std::move(*block));
    } catch (const std::exception&) {
      failed = true;
    }
  });
  return blocks;
}

std::vector<AreaBlock> LockFrameAreas(Bitmap& picture, const TKelPigger& frame,
                                      std::string_view password) {
  return LockFrameAreas(picture, frame, AreaLock::Compatible(password));
}

bool HasProtectedAreas(const TKelPigger& frame) {
  const TKelPigger* pointers = frame.FindChild(n::kPointers);
  return pointers && pointers->FindChild(n::kProtectedArea);
}

void RestoreAreas(Bitmap& picture, const TKelPigger& frame, const AreaLock& lock,
                  const BlockReader& readBlock) {
  if (lock.OpensNothing() || !HasProtectedAreas(frame)) return;
  const std::string frameId = frame.GetAttr(n::kFrameId);
  // Work on a copy, so that a failure part way leaves the picture as it was.
  Bitmap restored = picture;
  try {
    ForEachArea(frame, [&](const TKelPigger& element) {
      const Rect target = AreaRectangle(element, picture.Width(), picture.Height());
      const Bitmap area = lock.Open(readBlock, frameId, element.GetAttr(n::kObjectId));
      StretchCopy(area, {1, 1, area.Width(), area.Height()}, restored, target);
    });
  } catch (const std::exception&) {
    return;
  }
  picture = std::move(restored);
}

void RestoreAreas(Bitmap& picture, const TKelPigger& frame, std::string_view password,
                  const BlockReader& readBlock) {
  RestoreAreas(picture, frame, AreaLock::Compatible(password), readBlock);
}

}  // namespace vx
