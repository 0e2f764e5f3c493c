// One scale factor for every size the programs give in pixels at 96 dpi, so windows, texts and
// controls match the rest of a high-density desktop. Pictures keep their own pixels.
#pragma once

#include <optional>
#include <string>

namespace vx {

// Where the desktop says how large things are; each may be absent.
struct ScaleSources {
  std::optional<std::string> vxScale;        // VX_SCALE, our own override
  std::optional<std::string> xftDpi;         // the X resource Xft.dpi
  std::optional<std::string> gdkScale;       // GDK_SCALE
  std::optional<std::string> qtScaleFactor;  // QT_SCALE_FACTOR, a hint only
};

// The first usable source in the order above, rounded to quarter steps, between 1 and 4.
double ChooseScaleFactor(const ScaleSources& sources);

// The process's factor: read once, from the environment and the X server, at the first call.
double ScaleFactor();

// A size at 96 dpi in screen pixels for this desktop.
int Scaled(int pixels);

}  // namespace vx
