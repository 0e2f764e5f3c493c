// Printing one page with a picture on it. The engine is reached through the dialogs seam, so
// tests record what would be printed instead of asking for a printer.
#pragma once

#include <memory>
#include <string>

#include "picture/bitmap.h"

namespace vx::ui {

// The printable page in printer dots.
struct PageSetup {
  int width = 0;
  int height = 0;
  bool landscape = false;
};

class PrintEngine {
 public:
  virtual ~PrintEngine() = default;
  virtual PageSetup Page() const = 0;
  // The printer setup; true when the user confirmed it.
  virtual bool Setup() = 0;
  // One page with the bitmap's top-left corner at (x, y) dots; false when it was not printed.
  virtual bool Print(const Bitmap& bitmap, Point at) = 0;
};

// The printing of this desktop: FLTK's print dialog (CUPS printers, or a PostScript file),
// pages of A4 or Letter at 600 dots per inch, portrait or landscape.
std::unique_ptr<PrintEngine> MakeDesktopPrintEngine();

// Writes the page as a PostScript file, without any dialog.
bool PrintToPostScriptFile(const std::string& path, const PageSetup& page, const Bitmap& bitmap,
                           Point at);

}  // namespace vx::ui
