#include "platform/ui_scale.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vx {
namespace {

constexpr double kMinFactor = 1.0;
constexpr double kMaxFactor = 4.0;

// A positive finite number, or nothing; "2", "1.5" and " 2 " all read, "auto" does not.
std::optional<double> ReadNumber(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  const auto first = text->find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  double value = 0;
  const char* begin = text->data() + first;
  const char* end = text->data() + text->size();
  const auto [rest, error] = std::from_chars(begin, end, value);
  if (error != std::errc() ||
      std::string_view(rest, end - rest).find_first_not_of(" \t") != std::string_view::npos)
    return std::nullopt;
  if (!std::isfinite(value) || value <= 0) return std::nullopt;
  return value;
}

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

// Xft.dpi from the server's resource database, which desktops set to their scale.
std::optional<std::string> XftDpi() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return std::nullopt;
  std::optional<std::string> dpi;
  XrmInitialize();
  if (const char* resources = XResourceManagerString(display)) {
    XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value;
    if (database && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
      dpi = std::string(value.addr);
    if (database) XrmDestroyDatabase(database);
  }
  XCloseDisplay(display);
  return dpi;
}

}  // namespace

double ChooseScaleFactor(const ScaleSources& sources) {
  std::optional<double> factor = ReadNumber(sources.vxScale);
  if (!factor) {
    if (auto dpi = ReadNumber(sources.xftDpi)) factor = *dpi / 96.0;
  }
  if (!factor) factor = ReadNumber(sources.gdkScale);
  if (!factor) factor = ReadNumber(sources.qtScaleFactor);
  if (!factor) return kMinFactor;
  return std::clamp(std::round(*factor * 4.0) / 4.0, kMinFactor, kMaxFactor);
}

double ScaleFactor() {
  static const double factor = [] {
    ScaleSources sources;
    sources.vxScale = Environment("VX_SCALE");
    if (!sources.vxScale) sources.xftDpi = XftDpi();
    sources.gdkScale = Environment("GDK_SCALE");
    sources.qtScaleFactor = Environment("QT_SCALE_FACTOR");
    return ChooseScaleFactor(sources);
  }();
  return factor;
}

int Scaled(int pixels) { return static_cast<int>(std::lround(pixels * ScaleFactor())); }

}  // namespace vx
