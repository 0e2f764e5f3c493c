// Printing one page with a picture on it. The engine is reached through the dialogs seam, so
// tests can record what would be printed instead of asking for a printer.
#pragma once

#include <memory>
#include <string>

#include "picture/bitmap.h"

namespace vx::ui {

// Printer dots: at the original size one picture pixel is printed as one dot.
inline constexpr int kDotsPerInch = 600;

enum class Paper { A4, Letter };

// The page in printer dots.
struct PageSetup {
  PageSetup() = default;
  PageSetup(int width_, int height_, bool landscape_, Size sheet_ = {}, Point margin_ = {})
      : width(width_), height(height_), landscape(landscape_), sheet(sheet_), margin(margin_) {}

  int width = 0;  // the printable area
  int height = 0;
  bool landscape = false;
  Size sheet;    // the whole sheet as turned; empty when it is the printable area itself
  Point margin;  // the printable area's top-left corner on the sheet
};

// What a job is printed with: a CUPS queue, or a PostScript file when no queue is named.
struct PrintSettings {
  std::string printer;
  std::string file;
  Paper paper = Paper::A4;
  bool landscape = false;
  bool operator==(const PrintSettings&) const = default;
};

class PrintEngine {
 public:
  virtual ~PrintEngine() = default;
  virtual PageSetup Page() const = 0;
  // The printer setup; true when the user confirmed it.
  virtual bool Setup() = 0;
  // One page with the bitmap's top-left corner at (x, y) dots in the printable area; false or
  // an exception with the reason when it was not printed.
  virtual bool Print(const Bitmap& bitmap, Point at) = 0;
};

const char* PaperName(Paper paper);

// The sheet and the printable area that the PostScript device lays out for this paper.
PageSetup PageFor(Paper paper, bool landscape);

// The page as a PostScript document, turned on the sheet for landscape.
std::string PostScriptPage(Paper paper, bool landscape, const Bitmap& bitmap, Point at);

// The printing of this desktop: the CUPS queues, or a PostScript file, on A4 or Letter in
// either orientation, all chosen in one setup dialog; the job uses exactly those.
class DesktopPrintEngine : public PrintEngine {
 public:
  // The default printer (a file when CUPS has none) on the system's paper.
  DesktopPrintEngine();
  explicit DesktopPrintEngine(PrintSettings settings) : settings_(std::move(settings)) {}
  const PrintSettings& Settings() const { return settings_; }
  void SetSettings(PrintSettings settings) { settings_ = std::move(settings); }

  PageSetup Page() const override { return PageFor(settings_.paper, settings_.landscape); }
  bool Setup() override;
  bool Print(const Bitmap& bitmap, Point at) override;

 private:
  PrintSettings settings_;
};

std::unique_ptr<PrintEngine> MakeDesktopPrintEngine();

}  // namespace vx::ui
