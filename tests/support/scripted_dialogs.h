// Dialogs that answer from a script instead of waiting for a person, installed for one test.
#pragma once

#include <FL/Fl_Window.H>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "ui/printing.h"

namespace vx::test {

// A printer that records the page it would have printed.
class RecordingPrinter : public ui::PrintEngine {
 public:
  ui::PageSetup Page() const override { return page; }
  bool Setup() override {
    ++setups;
    if (onSetup) onSetup(page);
    return true;
  }
  bool Print(const Bitmap& bitmap, Point at) override {
    printed = bitmap;
    printedAt = at;
    ++pages;
    return !fail;
  }

  ui::PageSetup page{4800, 6600, false};
  std::function<void(ui::PageSetup&)> onSetup;
  Bitmap printed;
  Point printedAt;
  int pages = 0, setups = 0;
  bool fail = false;
};

class ScriptedDialogs : public ui::Dialogs {
 public:
  ui::PrintEngine& Printer() override { return engine ? *engine : printer; }
  RecordingPrinter printer;
  ui::PrintEngine* engine = nullptr;  // a real engine instead of the recording one

  void ShowMessage(const std::string& text, ui::MessageKind, const std::string& title) override {
    messages.push_back(text);
    titles.push_back(title);
  }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // The script acts on the dialog as a person would, and closes it.
  void RunModal(Fl_Window& dialog) override {
    ++modalRuns;
    // A copy runs, so the script may set another one for a dialog it opens.
    if (const auto script = onModal) script(dialog);
    dialog.hide();
  }
  std::optional<std::string> ChooseFolder(const std::string& start) override {
    folderStarts.push_back(start);
    return folder;
  }
  // Every chooser is recorded; it answers with what the script holds at that moment.
  std::vector<std::string> ChooseFilesToOpen(const ui::FileChoice& choice) override {
    openChoices.push_back(choice);
    return filesToOpen;
  }
  std::optional<std::string> ChooseFileToSave(const ui::FileChoice& choice) override {
    saveChoices.push_back(choice);
    return fileToSave;
  }
  int ChooseFromMenu(const std::vector<std::string>& items) override {
    menus.push_back(items);
    return menuChoice;
  }
  std::optional<Color> ChooseColor(const std::string&, Color initial) override {
    colorStarts.push_back(initial);
    return color;
  }

  std::vector<std::string> messages;
  std::vector<std::string> titles;
  std::optional<std::string> folder;
  std::vector<std::string> folderStarts;
  std::vector<std::string> filesToOpen;
  std::vector<ui::FileChoice> openChoices;
  std::optional<std::string> fileToSave;
  std::vector<ui::FileChoice> saveChoices;
  std::vector<std::vector<std::string>> menus;
  int menuChoice = -1;  // the answer of every pop-up menu
  std::optional<Color> color;
  std::vector<Color> colorStarts;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  std::function<void(Fl_Window&)> onModal;
  int modalRuns = 0;
};

// Installs scripted dialogs for the life of this object.
class ScriptedDialogsScope {
 public:
  ScriptedDialogsScope() {
    auto owned = std::make_unique<ScriptedDialogs>();
    dialogs_ = owned.get();
    previous_ = ui::InstallDialogs(std::move(owned));
  }
  ~ScriptedDialogsScope() { ui::InstallDialogs(std::move(previous_)); }
  ScriptedDialogs* operator->() { return dialogs_; }
  ScriptedDialogs& operator*() { return *dialogs_; }

 private:
  ScriptedDialogs* dialogs_;
  std::unique_ptr<ui::Dialogs> previous_;
};

}  // namespace vx::test
