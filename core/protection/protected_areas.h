// Cutting protected areas out of a frame's picture when an archive is made, and putting them
// back when the viewer has the password.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/kel_pigger.h"
#include "picture/bitmap.h"

namespace vx {

// The picture rectangle of a PRAR record on a W x H picture: left and top rounded, width and
// height truncated plus one. Fails on values that are not numbers or lie absurdly far out.
Rect AreaRectangle(const TKelPigger& area, int W, int H);

// One area block for the archive: named by the pointer's OBJ_ID, a compressed BMP.
struct AreaBlock {
  std::string name;
  std::string data;
};

// Blacks out every protected area of the frame in the picture and returns their scrambled
// contents, in document order. The area bitmap is (w + 1) x (h + 1) with the w x h pixels at
// (1, 1), so the viewer copies them back one to one. A failure ends this frame's remaining
// areas; the ones before it stay locked.
std::vector<AreaBlock> LockFrameAreas(Bitmap& picture, const TKelPigger& frame,
                                      std::string_view password);

// Puts the frame's areas back into a decoded picture with the typed password. Any failure
// (a number that does not parse, a missing or damaged block) leaves the picture as it was.
using BlockReader = std::function<std::string_view(std::string_view name)>;
void RestoreAreas(Bitmap& picture, const TKelPigger& frame, std::string_view password,
                  const BlockReader& readBlock);

}  // namespace vx
