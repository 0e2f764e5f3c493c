#include "actions_dialog.h"

#include <FL/Fl.H>

#include <filesystem>

#include "platform/current_folder.h"
#include "ui/dialogs.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::viewer {
namespace {

constexpr Fl_Color kSilver = 0xC0C0C000;

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

TD_dialog_actions::TD_dialog_actions() : Fl_Double_Window(365, 229) {
  color(kSilver);
  passPanel_ = new Fl_Group(16, 32, 329, 145);
  passPanel_->box(FL_BORDER_BOX);
  passPanel_->color(kSilver);
  pass_ = new Fl_Secret_Input(16 + 24, 32 + 32, 281, 24, "Password:");
  pass_->align(FL_ALIGN_TOP_LEFT);
  pass_->labelsize(12);
  // Enter confirms; Escape reaches the window, which cancels.
  pass_->when(FL_WHEN_ENTER_KEY_ALWAYS);
  pass_->callback([](Fl_Widget*, void* d) { static_cast<TD_dialog_actions*>(d)->SB_okClick(); },
                  this);
  link_ = new LinkText(16 + 32, 32 + 112 - 16, 265, 20);
  link_->bold = true;
  passPanel_->end();

  extractPanel_ = new Fl_Group(8, 16, 345, 153);
  extractPanel_->box(FL_BORDER_BOX);
  extractPanel_->color(kSilver);
  path_ = new Fl_Input(8 + 24, 16 + 32, 281, 22, "Directory to extract to:");
  path_->align(FL_ALIGN_TOP_LEFT);
  path_->labelsize(12);
  choose_ = new Fl_Button(8 + 304, 16 + 32, 23, 22, "...");
  choose_->callback([](Fl_Widget*, void* d) { static_cast<TD_dialog_actions*>(d)->SB_pathClick(); },
                    this);
  auto radio = [this](int y, const char* caption) {
    auto* button = new Fl_Round_Button(8 + 24, 16 + y, 300, 18, caption);
    button->type(FL_RADIO_BUTTON);
    button->labelsize(12);
    button->callback(
        [](Fl_Widget*, void* d) { static_cast<TD_dialog_actions*>(d)->actions_enabling(); }, this);
    return button;
  };
  current_ = radio(62, "Current picture");
  checked_ = radio(80, "Checked pictures");
  all_ = radio(98, "All pictures");
  wallpaper_ = radio(116, "Make wallpaper from current picture");
  current_->setonly();
  wallpaper_->deactivate();
  pointers_ = new Fl_Check_Button(8 + 24, 16 + 134, 140, 18, "Apply pointers");
  pointers_->labelsize(12);
  pointers_->value(1);
  relpath_ = new Fl_Check_Button(8 + 180, 16 + 134, 150, 18, "Use relative path");
  relpath_->labelsize(12);
  extractPanel_->end();

  auto* ok = new VxButton(180, 195, 81, 25, "Ok");
  ok->callback([](Fl_Widget*, void* d) { static_cast<TD_dialog_actions*>(d)->SB_okClick(); }, this);
  auto* cancel = new VxButton(268, 195, 81, 25, "Cancel");
  cancel->callback(
      [](Fl_Widget*, void* d) { static_cast<TD_dialog_actions*>(d)->SB_cancelClick(); }, this);
  end();
  resizable(nullptr);  // a fixed dialog
  ui::ScaleWidgetTree(*this);
  callback([](Fl_Widget*, void* d) { static_cast<TD_dialog_actions*>(d)->SB_cancelClick(); }, this);
}

bool TD_dialog_actions::AskPassword(const std::string& linkCaption,
                                    const std::string& linkAddress) {
  passPanel_->show();
  extractPanel_->hide();
  link_->address = linkAddress;
  link_->text = linkCaption;
  if (Trimmed(linkCaption).empty() || Trimmed(linkAddress).empty()) {
    link_->hide();
  } else {
    link_->show();
  }
  confirmed_ = false;
  pass_->value("");
  pass_->take_focus();
  label("Password");
  ui::CenterOnScreen(*this);
  ui::CurrentDialogs().RunModal(*this);
  return confirmed_;
}

bool TD_dialog_actions::AskExtraction(bool wallpaperAllowed) {
  label("Extraction");
  if (wallpaperAllowed) {
    wallpaper_->activate();
  } else {
    wallpaper_->deactivate();
  }
  passPanel_->hide();
  extractPanel_->show();
  confirmed_ = false;
  if (!*path_->value()) path_->value(std::filesystem::current_path().string().c_str());
  actions_enabling();
  ui::CenterOnScreen(*this);
  ui::CurrentDialogs().RunModal(*this);
  return confirmed_;
}

bool TD_dialog_actions::LinkVisible() const { return link_->visible() != 0; }

TD_dialog_actions::What TD_dialog_actions::Choice() const {
  if (wallpaper_->value() && wallpaper_->active()) return What::Wallpaper;
  if (all_->value()) return What::All;
  if (checked_->value()) return What::Checked;
  return What::Current;
}

void TD_dialog_actions::SetChoice(What what) {
  Fl_Round_Button* buttons[] = {current_, checked_, all_, wallpaper_};
  buttons[static_cast<int>(what)]->setonly();
  actions_enabling();
}

void TD_dialog_actions::actions_enabling() {
  const bool wallpaper = wallpaper_->value() != 0;
  for (Fl_Widget* widget : {static_cast<Fl_Widget*>(path_), static_cast<Fl_Widget*>(choose_),
                            static_cast<Fl_Widget*>(relpath_)}) {
    if (wallpaper) {
      widget->deactivate();
    } else {
      widget->activate();
    }
  }
  path_->color(wallpaper ? kSilver : FL_BACKGROUND2_COLOR);
  path_->redraw();
}

void TD_dialog_actions::SB_pathClick() {
  const KeepCurrentFolder keep;
  if (const auto folder = ui::CurrentDialogs().ChooseFolder(path_->value());
      folder && !folder->empty()) {
    path_->value(folder->c_str());
  }
}

void TD_dialog_actions::SB_okClick() {
  confirmed_ = true;
  hide();
}

void TD_dialog_actions::SB_cancelClick() {
  // A cancelled entry leaves no password behind, not even one typed before cancelling.
  if (passPanel_->visible()) pass_->value("");
  hide();
}

}  // namespace vx::viewer
