// The X server's own pointer, which synthesised events do not move.
#pragma once

namespace vx::test {

// Puts it in the screen's bottom-right corner, away from the test windows, so that windows
// of other tests appearing or going away under it send ours no movements of their own.
void ParkRealPointer();

}  // namespace vx::test
