#include "ui/printer_setup.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Return_Button.H>

#include <algorithm>

#include "platform/ui_scale.h"
#include "ui/dialogs.h"

namespace vx::ui {
namespace {

// Adds an item whose text is taken as it is: menu texts otherwise treat '/' and '&' specially.
void AddLiteral(Fl_Choice& choice, const std::string& text) {
  const int index = choice.add("x");
  choice.replace(index, text.c_str());
}

}  // namespace

PrinterSetupWindow::PrinterSetupWindow(const PrintSettings& current,
                                       std::vector<std::string> printers)
    : Fl_Double_Window(Scaled(360), Scaled(185), "Printer setup"), printers_(std::move(printers)) {
  const int x = Scaled(100), w = Scaled(245), h = Scaled(24), step = Scaled(32);
  int y = Scaled(15);
  printer_ = new Fl_Choice(x, y, w, h, "Printer:");
  for (const std::string& name : printers_) AddLiteral(*printer_, name);
  printer_->add("PostScript file");
  printer_->callback(
      [](Fl_Widget*, void* d) { static_cast<PrinterSetupWindow*>(d)->UpdateFileInput(); }, this);
  file_ = new Fl_Input(x, y += step, w, h, "File:");
  paper_ = new Fl_Choice(x, y += step, w, h, "Paper:");
  paper_->add(PaperName(Paper::A4));
  paper_->add(PaperName(Paper::Letter));
  orientation_ = new Fl_Choice(x, y += step, w, h, "Orientation:");
  orientation_->add("Portrait");
  orientation_->add("Landscape");
  y += step + Scaled(8);
  auto* ok = new Fl_Return_Button(x + w - Scaled(190), y, Scaled(90), Scaled(25), "OK");
  ok->callback([](Fl_Widget*, void* d) { static_cast<PrinterSetupWindow*>(d)->Confirm(); }, this);
  auto* cancel = new Fl_Button(x + w - Scaled(90), y, Scaled(90), Scaled(25), "Cancel");
  cancel->callback([](Fl_Widget* b, void*) { b->window()->hide(); });
  end();
  Choose(current);
}

void PrinterSetupWindow::Choose(const PrintSettings& settings) {
  // An unknown queue (gone since it was chosen) falls back to the file.
  const auto found = std::find(printers_.begin(), printers_.end(), settings.printer);
  printer_->value(settings.printer.empty() || found == printers_.end()
                      ? static_cast<int>(printers_.size())
                      : static_cast<int>(found - printers_.begin()));
  file_->value(settings.file.c_str());
  paper_->value(settings.paper == Paper::Letter ? 1 : 0);
  orientation_->value(settings.landscape ? 1 : 0);
  UpdateFileInput();
}

void PrinterSetupWindow::UpdateFileInput() {
  if (printer_->value() == static_cast<int>(printers_.size())) {
    file_->activate();
  } else {
    file_->deactivate();
  }
}

void PrinterSetupWindow::Confirm() {
  confirmed_ = true;
  hide();
}

PrintSettings PrinterSetupWindow::Chosen() const {
  PrintSettings settings;
  const int printer = printer_->value();
  if (printer >= 0 && printer < static_cast<int>(printers_.size())) {
    settings.printer = printers_[static_cast<size_t>(printer)];
  }
  settings.file = file_->value();
  settings.paper = paper_->value() == 1 ? Paper::Letter : Paper::A4;
  settings.landscape = orientation_->value() == 1;
  return settings;
}

std::optional<PrintSettings> RunPrinterSetup(const PrintSettings& current,
                                             std::vector<std::string> printers) {
  PrinterSetupWindow window(current, std::move(printers));
  CurrentDialogs().RunModal(window);
  if (!window.Confirmed()) return std::nullopt;
  return window.Chosen();
}

}  // namespace vx::ui
