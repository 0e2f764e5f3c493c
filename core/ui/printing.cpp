#include "ui/printing.h"

#include <FL/Fl.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_PostScript.H>
#include <FL/Fl_Printer.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>

#include <cstdio>
#include <memory>

#include "ui/dialogs.h"
#include "ui/draw_bitmap.h"

namespace vx::ui {
namespace {

constexpr int kDotsPerInch = 600;
constexpr double kPointsPerInch = 72.0;

struct Paper {
  const char* name;
  double widthInches, heightInches;
  Fl_Paged_Device::Page_Format format;
};
constexpr Paper kPapers[] = {{"A4", 8.27, 11.69, Fl_Paged_Device::A4},
                             {"Letter", 8.5, 11.0, Fl_Paged_Device::LETTER}};

PageSetup PageOf(const Paper& paper, bool landscape) {
  const int w = static_cast<int>(paper.widthInches * kDotsPerInch);
  const int h = static_cast<int>(paper.heightInches * kDotsPerInch);
  return landscape ? PageSetup{h, w, true} : PageSetup{w, h, false};
}

// Draws the bitmap on the current page of a device whose unit is the point, dots mapped
// to points, so the picture prints at 600 dots per inch.
void DrawPage(Fl_Paged_Device& device, const Bitmap& bitmap, Point at) {
  device.scale(kPointsPerInch / kDotsPerInch);
  DrawBitmap(bitmap, at.x, at.y);
}

class DesktopPrintEngine : public PrintEngine {
 public:
  PageSetup Page() const override { return PageOf(kPapers[paper_], landscape_); }

  bool Setup() override {
    Fl_Double_Window dialog(260, 120, "Printer setup");
    Fl_Choice paper(100, 15, 140, 24, "Paper:");
    for (const Paper& p : kPapers) paper.add(p.name);
    paper.value(paper_);
    Fl_Choice orientation(100, 45, 140, 24, "Orientation:");
    orientation.add("Portrait");
    orientation.add("Landscape");
    orientation.value(landscape_ ? 1 : 0);
    bool confirmed = false;
    Fl_Return_Button ok(150, 85, 90, 25, "OK");
    ok.callback(
        [](Fl_Widget* w, void* done) {
          *static_cast<bool*>(done) = true;
          w->window()->hide();
        },
        &confirmed);
    dialog.end();
    CurrentDialogs().RunModal(dialog);
    if (confirmed) {
      paper_ = paper.value();
      landscape_ = orientation.value() == 1;
    }
    return confirmed;
  }

  bool Print(const Bitmap& bitmap, Point at) override {
    Fl_Printer printer;
    if (printer.start_job(1) != 0) return false;  // cancelled, or no printer
    printer.start_page();
    DrawPage(printer, bitmap, at);
    printer.end_page();
    printer.end_job();
    return true;
  }

 private:
  int paper_ = 0;
  bool landscape_ = false;
};

}  // namespace

std::unique_ptr<PrintEngine> MakeDesktopPrintEngine() {
  return std::make_unique<DesktopPrintEngine>();
}

bool PrintToPostScriptFile(const std::string& path, const PageSetup& page, const Bitmap& bitmap,
                           Point at) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return false;
  Fl_PostScript_File_Device device;
  const bool a4 =
      std::abs(std::max(page.width, page.height) - PageOf(kPapers[0], false).height) < 10;
  if (device.start_job(file, 1, a4 ? Fl_Paged_Device::A4 : Fl_Paged_Device::LETTER,
                       page.landscape ? Fl_Paged_Device::LANDSCAPE : Fl_Paged_Device::PORTRAIT) !=
      0) {
    std::fclose(file);
    return false;
  }
  device.start_page();
  DrawPage(device, bitmap, at);
  device.end_page();
  device.end_job();  // closes the file
  return true;
}

}  // namespace vx::ui
