// Loading source pictures of any format the builder accepts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "picture/bitmap.h"
#include "picture/geometry.h"

namespace vx {

// A decoder of one format: recognises its content, or is chosen by extension.
struct PictureReader {
  const char* name;
  std::vector<const char*> extensions;  // lower case, without the dot
  bool (*recognises)(std::string_view bytes);
  Bitmap (*decode)(std::string_view bytes);
};

// Every reader, in the order they are asked.
const std::vector<PictureReader>& PictureReaders();

// The first reader that recognises the content decodes it; otherwise the extension chooses.
// Fails with the decoder's message, or "Unknown picture format".
Bitmap LoadPictureBytes(std::string_view bytes, std::string_view extension);
Bitmap LoadPictureFile(const std::string& path);
// For a thumbnail that fits into box: a JPEG file is decoded reduced (no smaller than the
// fitted size, upright); other formats at full size.
Bitmap LoadPictureFileForBox(const std::string& path, Size box);

// "Pictures\t*.{jpg,jpeg,...}" style pattern of every readable extension, for file dialogs.
std::string PictureFilePattern();

}  // namespace vx
