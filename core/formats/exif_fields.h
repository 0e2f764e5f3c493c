// The EXIF data of a picture file as the fields dialog imports it: a fixed list of field names,
// each with the value's text in UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/field_set.h"

namespace vx {

// Every name in import order, with its text; empty where the picture has no such value.
// Nothing when the bytes hold no EXIF data that can be read.
std::optional<std::vector<NamedValue>> ExifFieldsOf(std::string_view pictureBytes);
// The same of a file; a file that cannot be read has none.
std::optional<std::vector<NamedValue>> ExifFieldsOfFile(const std::string& path);

}  // namespace vx
