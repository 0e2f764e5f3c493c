// The one seam every modal interaction goes through, so tests can script the answers
// instead of blocking on a real dialog.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/conversions.h"

class Fl_Window;

namespace vx::ui {

class PrintEngine;

enum class MessageKind { Information, Warning, Error };

// What a file chooser starts with.
struct FileChoice {
  std::string title;
  std::string filter;     // "Name\t*.{a,b}" lines, as the toolkit's choosers take them
  std::string folder;     // where it starts; empty: the current folder
  std::string name;       // the file name it proposes
  std::string extension;  // given to a file to save chosen without one, like ".zip"
  bool multiple = false;  // several files to open at once
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void ShowMessage(const std::string& text, MessageKind kind,
                           const std::string& title = "") = 0;
  // Yes (true) or No (false).
  virtual bool AskYesNo(const std::string& text) = 0;
  // Shows one of our own dialog windows modally and returns when it has been closed.
  virtual void RunModal(Fl_Window& dialog) = 0;
  // The desktop's folder browser, starting in start when it is given; nothing when the user
  // cancels.
  virtual std::optional<std::string> ChooseFolder(const std::string& start) = 0;
  // Files to open, in the chooser's order; empty when the user cancels.
  virtual std::vector<std::string> ChooseFilesToOpen(const FileChoice& choice) = 0;
  // A file to write; the chooser asks before an existing file is overwritten. Nothing when
  // the user cancels.
  virtual std::optional<std::string> ChooseFileToSave(const FileChoice& choice) = 0;
  // A pop-up menu of the items at the mouse; the index of the chosen one, -1 for none.
  virtual int ChooseFromMenu(const std::vector<std::string>& items) = 0;
  // A colour chooser that starts with initial; nothing when the user cancels.
  virtual std::optional<Color> ChooseColor(const std::string& title, Color initial) = 0;
  // The printer, with its setup and print dialogs.
  virtual PrintEngine& Printer() = 0;
};

// The dialogs in use; real FLTK dialogs unless a test installed its own.
Dialogs& CurrentDialogs();
// Installs replacement dialogs and returns the previous ones.
std::unique_ptr<Dialogs> InstallDialogs(std::unique_ptr<Dialogs> dialogs);

}  // namespace vx::ui
