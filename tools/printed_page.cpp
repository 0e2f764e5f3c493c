#include "printed_page.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "picture/resample.h"
#include "platform/files.h"
#include "platform/process.h"

namespace vx {
namespace {

// The next number of a PPM header, past white space and comments; -1 when there is none.
int HeaderNumber(const std::string& bytes, size_t& at) {
  while (at < bytes.size() &&
         (std::isspace(static_cast<unsigned char>(bytes[at])) || bytes[at] == '#')) {
    if (bytes[at] == '#') at = bytes.find('\n', at);
    if (at == std::string::npos) return -1;
    ++at;
  }
  int value = 0, digits = 0;
  for (; at < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[at])) && digits < 9;
       ++at, ++digits) {
    value = value * 10 + (bytes[at] - '0');
  }
  return digits > 0 ? value : -1;
}

// A binary PPM ("P6", maximum 255) as the renderers write it.
Bitmap ReadPpm(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  size_t at = 2;
  const int width = bytes.starts_with("P6") ? HeaderNumber(bytes, at) : -1;
  const int height = HeaderNumber(bytes, at);
  const int maximum = HeaderNumber(bytes, at);
  if (width <= 0 || height <= 0 || maximum != 255) {
    throw std::runtime_error("Not a PPM page: " + path);
  }
  const size_t start = at + 1;  // one white space after the header
  if (bytes.size() < start + static_cast<size_t>(width) * height * 3) {
    throw std::runtime_error("Short PPM page: " + path);
  }
  Bitmap page(width, height);
  const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data()) + start;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* out = page.Row(y);
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  return page;
}

}  // namespace

Bitmap RenderPostScriptPage(const std::string& path, int dpi) {
  const WorkingFile out(std::filesystem::temp_directory_path().string(), "vx-page", ".ppm");
  if (RunProgram("gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=ppmraw",
                        "-r" + std::to_string(dpi), "-sOutputFile=" + out.Path(), path}) != 0) {
    throw std::runtime_error("Ghostscript did not render " + path);
  }
  return ReadPpm(out.Path());
}

Bitmap RenderPdfPage(const std::string& path, int dpi) {
  const WorkingFile base(std::filesystem::temp_directory_path().string(), "vx-page", "");
  const std::string out = base.Path() + ".ppm";
  const int status = RunProgram(
      "pdftoppm", {"-r", std::to_string(dpi), "-f", "1", "-singlefile", path, base.Path()});
  if (status != 0) throw std::runtime_error("pdftoppm did not render " + path);
  Bitmap page = ReadPpm(out);
  std::filesystem::remove(out);
  return page;
}

Bitmap AsHeld(const Bitmap& page, bool landscape) { return landscape ? RotateLeft(page) : page; }

Rect InkBox(const Bitmap& page) {
  Rect box{page.Width(), page.Height(), 0, 0};
  for (int y = 0; y < page.Height(); ++y) {
    const std::uint8_t* p = page.Row(y);
    for (int x = 0; x < page.Width(); ++x, p += 3) {
      if (p[0] < 240 || p[1] < 240 || p[2] < 240) {
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x + 1);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y + 1);
      }
    }
  }
  return box.right > box.left ? box : Rect{};
}

}  // namespace vx
