#include "ui/dialogs.h"

#include <FL/Fl.H>
#include <FL/Fl_Color_Chooser.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>

#include <filesystem>

#include "ui/printing.h"

namespace vx::ui {
namespace {

void Prepare(Fl_Native_File_Chooser& chooser, const FileChoice& choice) {
  if (!choice.title.empty()) chooser.title(choice.title.c_str());
  if (!choice.filter.empty()) chooser.filter(choice.filter.c_str());
  if (!choice.folder.empty()) chooser.directory(choice.folder.c_str());
  if (!choice.name.empty()) chooser.preset_file(choice.name.c_str());
}

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
  std::vector<std::string> ChooseFilesToOpen(const FileChoice& choice) override {
    Fl_Native_File_Chooser chooser(choice.multiple ? Fl_Native_File_Chooser::BROWSE_MULTI_FILE
                                                   : Fl_Native_File_Chooser::BROWSE_FILE);
    Prepare(chooser, choice);
    std::vector<std::string> files;
    if (chooser.show() != 0) return files;
    for (int i = 0; i < chooser.count(); ++i) {
      if (const char* file = chooser.filename(i); file && *file) files.emplace_back(file);
    }
    return files;
  }
  std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override {
    Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
    Prepare(chooser, choice);
    chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM | Fl_Native_File_Chooser::NEW_FOLDER);
    if (chooser.show() != 0 || !chooser.filename() || !*chooser.filename()) return std::nullopt;
    std::string file = chooser.filename();
    // The chooser asked about the name as typed; a name given its extension here is asked
    // about once more.
    if (!choice.extension.empty() && std::filesystem::path(file).extension().empty()) {
      file += choice.extension;
      std::error_code error;
      if (std::filesystem::exists(file, error) &&
          !AskYesNo(file + " already exists.\nDo you want to replace it?"))
        return std::nullopt;
    }
    return file;
  }
  int ChooseFromMenu(const std::vector<std::string>& items) override {
    std::vector<Fl_Menu_Item> menu(items.size() + 1, Fl_Menu_Item{});
    for (size_t i = 0; i < items.size(); ++i) menu[i].label(items[i].c_str());
    const Fl_Menu_Item* chosen = menu.front().popup(Fl::event_x(), Fl::event_y());
    return chosen ? static_cast<int>(chosen - menu.data()) : -1;
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
