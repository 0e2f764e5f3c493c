// ZIP files for the two ZIP outputs.
#pragma once

#include <string>
#include <vector>

#include "archive/make_observer.h"

namespace vx {

struct ZipEntry {
  std::string path;      // the file to pack
  std::string name;      // its name inside the ZIP
  unsigned mode = 0644;  // the Unix mode it is unpacked with
};

// Deflated at level 9 with an all-zero time stamp, no extra fields or comments, copied in
// pieces of 16384 bytes; made on Unix, so unpacking gives every entry its mode. Problems are shown
// with their messages; the result is false when any entry is missing, so an incomplete ZIP is never
// taken for a good one.
bool ZipFiles(const std::vector<ZipEntry>& entries, const std::string& zipName,
              MakeObserver& observer);

}  // namespace vx
