// Which frames of an archive may carry a stored thumbnail block.
#pragma once

#include <set>
#include <string>

#include "document/kel_pigger.h"

namespace vx {

// The FRAME_IDs whose thumbnail block name is no prefix of a picture's or an area's block
// name, nor has one as its prefix: readers take the first end marker that starts with a
// name, so such a block (say "T" beside "TN_X") could hide another. Identifiers the programs
// make never clash; ones written by hand may.
std::set<std::string> FramesGivenThumbnails(const TKelPigger& document);

}  // namespace vx
