// "Printer setup": the one place where the printer, the paper and the orientation are chosen.
#pragma once

#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>

#include <optional>
#include <string>
#include <vector>

#include "ui/printing.h"

namespace vx::ui {

// The printer list holds the CUPS queues, then "PostScript file".
class PrinterSetupWindow : public Fl_Double_Window {
 public:
  PrinterSetupWindow(const PrintSettings& current, std::vector<std::string> printers);

  // Sets the controls as a person would choose these settings.
  void Choose(const PrintSettings& settings);
  PrintSettings Chosen() const;
  bool Confirmed() const { return confirmed_; }
  void Confirm();

  Fl_Choice& PrinterChoice() { return *printer_; }
  Fl_Choice& PaperChoice() { return *paper_; }
  Fl_Choice& OrientationChoice() { return *orientation_; }
  Fl_Input& FileInput() { return *file_; }
  // The file name is asked for only when printing to a file.
  void UpdateFileInput();

 private:
  std::vector<std::string> printers_;
  Fl_Choice* printer_;
  Fl_Input* file_;
  Fl_Choice* paper_;
  Fl_Choice* orientation_;
  bool confirmed_ = false;
};

// Shows the setup through the dialogs seam; the new settings when the user confirmed them.
std::optional<PrintSettings> RunPrinterSetup(const PrintSettings& current,
                                             std::vector<std::string> printers);

}  // namespace vx::ui
