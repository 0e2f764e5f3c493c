// Whether a desktop is there to show windows on.
#pragma once

namespace vx {

// True when an X display (or XWayland) can be opened.
bool DisplayAvailable();

}  // namespace vx
