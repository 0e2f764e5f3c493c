// The program's event loop, with its one place that turns an escaped failure into a message.
#pragma once

namespace vx::ui {

// Runs until the last window closes; a failure that escapes an event handler is shown in a
// message box and the program goes on.
int RunEventLoop();

}  // namespace vx::ui
