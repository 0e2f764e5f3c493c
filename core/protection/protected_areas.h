// Cutting protected areas out of a frame's picture when an archive is made, and putting them
// back when the viewer has the password.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/kel_pigger.h"
#include "picture/bitmap.h"
#include "protection/cipher.h"
#include "protection/password_key.h"

namespace vx {

// The picture rectangle of a PRAR record on a W x H picture: left and top rounded, width and
// height truncated plus one. Fails on values that are not numbers or lie absurdly far out.
Rect AreaRectangle(const TKelPigger& area, int W, int H);

// One area block for the archive: named by the pointer's OBJ_ID, a compressed BMP.
struct AreaBlock {
  std::string name;
  std::string data;
};

using BlockReader = std::function<std::string_view(std::string_view name)>;

// How the areas of one archive are locked when it is made, and opened once its password is
// known: with the old cipher (compatible) or sealed with the key of strong protection. The
// default keeps no area content and opens nothing.
class AreaLock {
 public:
  AreaLock() = default;
  // An empty password still scrambles (archives always did), but opens nothing.
  static AreaLock Compatible(std::string_view password);
  static AreaLock Strong(const SealKey& key);
  bool OpensNothing() const { return !opens_; }
  bool operator==(const AreaLock& other) const;

  // The block for an area bitmap of the frame, (w + 1) x (h + 1) with the pixels at (1, 1);
  // nothing when no block is kept.
  std::optional<AreaBlock> Lock(Bitmap& area, std::string_view frameId,
                                std::string_view objectId) const;
  // The area bitmap from its block; throws when it is missing or does not open.
  Bitmap Open(const BlockReader& readBlock, std::string_view frameId,
              std::string_view objectId) const;

 private:
  enum class Scheme { Keyless, Compatible, Strong };
  Scheme scheme_ = Scheme::Keyless;
  bool opens_ = false;
  CipherKey cipher_{};
  SealKey key_;
};

// Blacks out every protected area of the frame in the picture and returns their locked
// contents, in document order. The area bitmap is (w + 1) x (h + 1) with the w x h pixels at
// (1, 1), so the viewer copies them back one to one. A failure ends this frame's remaining
// areas; the ones before it stay locked.
std::vector<AreaBlock> LockFrameAreas(Bitmap& picture, const TKelPigger& frame,
                                      const AreaLock& lock);
// The compatible scheme with this password.
std::vector<AreaBlock> LockFrameAreas(Bitmap& picture, const TKelPigger& frame,
                                      std::string_view password);

// True when the frame has a protected area.
bool HasProtectedAreas(const TKelPigger& frame);

// Puts the frame's areas back into a decoded picture. Any failure (a number that does not
// parse, a missing, damaged, moved or swapped block) leaves the picture as it was.
void RestoreAreas(Bitmap& picture, const TKelPigger& frame, const AreaLock& lock,
                  const BlockReader& readBlock);
// The compatible scheme with this password.
void RestoreAreas(Bitmap& picture, const TKelPigger& frame, std::string_view password,
                  const BlockReader& readBlock);

}  // namespace vx
