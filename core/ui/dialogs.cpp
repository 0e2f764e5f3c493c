#include "ui/dialogs.h"

#include <FL/Fl.H>
#include <FL/Fl_Color_Chooser.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>

#include "ui/printing.h"

namespace vx::ui {
namespace {

class FltkDialogs : public Dialogs {
 public:
  void ShowMessage(const std::string& text, MessageKind kind, const std::string& title) override {
    fl_message_title(title.c_str());
    switch (kind) {
      case MessageKind::Information:
        fl_message("%s", text.c_str());
        break;
      case MessageKind::Warning:
      case MessageKind::Error:
        fl_alert("%s", text.c_str());
        break;
    }
  }
  bool AskYesNo(const std::string& text) override {
    return fl_choice("%s", "No", "Yes", nullptr, text.c_str()) == 1;
  }
  void RunModal(Fl_Window& dialog) override {
    dialog.set_modal();
    dialog.show();
    while (dialog.shown()) Fl::wait();
  }
  std::optional<std::string> ChooseFolder(const std::string& start) override {
    Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_DIRECTORY);
    if (!start.empty()) chooser.directory(start.c_str());
    if (chooser.show() != 0 || !chooser.filename() || !*chooser.filename()) return std::nullopt;
    return std::string(chooser.filename());
  }
  std::optional<Color> ChooseColor(const std::string& title, Color initial) override {
    uchar r = initial & 0xFF, g = (initial >> 8) & 0xFF, b = (initial >> 16) & 0xFF;
    if (!fl_color_chooser(title.c_str(), r, g, b, 1)) return std::nullopt;
    return static_cast<Color>(r | (g << 8) | (b << 16));
  }
  PrintEngine& Printer() override {
    if (!printer_) printer_ = MakeDesktopPrintEngine();
    return *printer_;
  }

 private:
  std::unique_ptr<PrintEngine> printer_;
};

std::unique_ptr<Dialogs>& Installed() {
  static std::unique_ptr<Dialogs> dialogs = std::make_unique<FltkDialogs>();
  return dialogs;
}

}  // namespace

Dialogs& CurrentDialogs() { return *Installed(); }

std::unique_ptr<Dialogs> InstallDialogs(std::unique_ptr<Dialogs> dialogs) {
  std::swap(Installed(), dialogs);
  return dialogs;
}

}  // namespace vx::ui
