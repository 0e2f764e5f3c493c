// Dialogs for the screenshot tools: a modal dialog is shown just long enough to save what it
// looks like, then closed; questions are answered No and choosers cancelled.
#pragma once

#include <FL/Fl_Window.H>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "screenshot.h"
#include "ui/dialogs.h"
#include "ui/printing.h"

namespace vx {

class PhotographingDialogs : public ui::Dialogs {
 public:
  // Where the next modal dialog is saved.
  std::string path;
  // When set, this window is saved instead, without the dialog over it.
  Fl_Window* subject = nullptr;
  // When set, it acts on the shown dialog and saves what it wants instead.
  std::function<void(Fl_Window&)> whileShown;
  // The answer of the file choosers for opening.
  std::vector<std::string> filesToOpen;

  void ShowMessage(const std::string&, ui::MessageKind, const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void RunModal(Fl_Window& dialog) override {
    if (subject) {
      SaveWindowPng(*subject, path);
      return;
    }
    dialog.show();
    if (whileShown) {
      whileShown(dialog);
    } else {
      SaveWindowPng(dialog, path);
    }
    dialog.hide();
  }
  std::optional<std::string> ChooseFolder(const std::string&) override { return std::nullopt; }
  std::vector<std::string> ChooseFilesToOpen(const ui::FileChoice&) override { return filesToOpen; }
  std::optional<std::string> ChooseFileToSave(const ui::FileChoice&) override {
    return std::nullopt;
  }
  int ChooseFromMenu(const std::vector<std::string>&) override { return -1; }
  std::optional<Color> ChooseColor(const std::string&, Color) override { return std::nullopt; }
  ui::PrintEngine& Printer() override { return *printer_; }

 private:
  std::unique_ptr<ui::PrintEngine> printer_ = ui::MakeDesktopPrintEngine();
};

}  // namespace vx
