#include "settings_dialog.h"

#include <FL/Fl_Group.H>
#include <FL/Fl_Return_Button.H>

#include "platform/current_folder.h"
#include "ui/dialogs.h"
#include "ui/scaled_layout.h"
#include "ui/window_placement.h"

namespace vx::builder {
namespace {

constexpr int kTextSize = 12;

template <typename T>
T* Sized(T* widget) {
  widget->labelsize(kTextSize);
  return widget;
}

}  // namespace

TD_settings::TD_settings(int w, int h, const char* caption, UserLayout layout)
    : Fl_Double_Window(w, h, caption), settings_(std::move(layout)) {}

TD_settings::~TD_settings() { SaveSettings(SettingsFilePath()); }

void TD_settings::FormCreate() {
  LoadSettings();
  SettingsToControls();
}

void TD_settings::LoadSettings() { settings_.Load(); }

void TD_settings::SaveSettings(const std::string& path) { settings_.Save(path); }

void TD_settings::ResetSettings() { settings_.Reset(); }

void TD_settings::Store() {
  ControlsToSettings();
  SaveSettings(SettingsFilePath());
}

TD_settings_user::TD_settings_user(UserLayout layout)
    : TD_settings(430, 236, "Settings", std::move(layout)) {
  pages_ = new Fl_Tabs(8, 8, 320, 220);
  pages_->labelsize(kTextSize);

  auto* directories = Sized(new Fl_Group(8, 32, 320, 196, "Directories"));
  auto folderRow = [this](UserFolder folder, int y, const char* caption, bool shown) {
    const auto index = static_cast<size_t>(folder);
    Fl_Input* edit = Sized(new Fl_Input(20, y, 262, 24, caption));
    edit->align(FL_ALIGN_TOP_LEFT);
    edit->textsize(kTextSize);
    folders_[index] = edit;
    if (!shown) {
      edit->hide();
      return;
    }
    Fl_Button* button = Sized(new Fl_Button(286, y, 30, 24, "..."));
    button->callback(
        [](Fl_Widget* widget, void* data) {
          auto* dialog = static_cast<TD_settings_user*>(widget->window());
          dialog->on_SB_dirs(static_cast<UserFolder>(reinterpret_cast<intptr_t>(data)));
        },
        reinterpret_cast<void*>(static_cast<intptr_t>(folder)));
    browse_[index] = button;
  };
  folderRow(UserFolder::Source, 64, "Graphic Source Directory", true);
  folderRow(UserFolder::Output, 114, "Output Directory", true);
  folderRow(UserFolder::Export, 164, "Working graphic directory (for changed source files if one)",
            false);
  directories->end();

  auto* colors = Sized(new Fl_Group(8, 32, 320, 196, "Object colors"));
  auto* frame = Sized(new Fl_Group(20, 58, 296, 150, "Colors"));
  frame->box(FL_ENGRAVED_FRAME);
  frame->align(FL_ALIGN_TOP_LEFT);
  constexpr const char* kCaptions[] = {"<< Text", "<< Pen", "<< Brush"};
  for (int swatch = 0; swatch < 3; ++swatch) {
    const int y = 76 + swatch * 42;
    auto* box = new Fl_Box(36, y, 140, 28);
    box->box(FL_DOWN_BOX);
    swatches_[static_cast<size_t>(swatch)] = box;
    auto* button = Sized(new Fl_Button(190, y, 110, 28, kCaptions[swatch]));
    button->callback(
        [](Fl_Widget* widget, void* data) {
          static_cast<TD_settings_user*>(widget->window())
              ->Set_color(static_cast<int>(reinterpret_cast<intptr_t>(data)));
        },
        reinterpret_cast<void*>(static_cast<intptr_t>(swatch)));
    colorButtons_[static_cast<size_t>(swatch)] = button;
  }
  frame->end();
  colors->end();
  pages_->end();
  pages_->value(directories);

  ok_ = Sized(new Fl_Return_Button(338, 8, 84, 26, "OK"));
  ok_->callback(
      [](Fl_Widget* w, void*) { static_cast<TD_settings_user*>(w->window())->OKBtnClick(); });
  cancel_ = Sized(new Fl_Button(338, 40, 84, 26, "Cancel"));
  cancel_->callback(
      [](Fl_Widget* w, void*) { static_cast<TD_settings_user*>(w->window())->CancelBtnClick(); });
  end();
  // The close button and Escape cancel.
  callback([](Fl_Widget* w, void*) { static_cast<TD_settings_user*>(w)->CancelBtnClick(); });
  ui::ScaleWidgetTree(*this);
  FormCreate();
}

bool TD_settings_user::Execute() {
  FormActivate();
  confirmed_ = false;
  ui::CenterOnScreen(*this);
  ui::CurrentDialogs().RunModal(*this);
  return confirmed_;
}

void TD_settings_user::FormActivate() { SettingsToControls(); }

void TD_settings_user::SettingsToControls() {
  const TKelPigger& document = User().Document();
  for (UserFolder folder : {UserFolder::Source, UserFolder::Output, UserFolder::Export}) {
    FolderEdit(folder).value(document.GetAttr(UserSettings::KeyOf(folder)).c_str());
  }
  // A colour that is not set shows its default, so a colour chosen and then cancelled does not
  // linger in the swatch as if it were in use.
  for (int swatch = 0; swatch < 3; ++swatch)
    SetSwatch(swatch, User().ColorOf(kColorKeys[static_cast<size_t>(swatch)]));
  NormaliseFolders();
}

void TD_settings_user::ControlsToSettings() {
  NormaliseFolders();
  TKelPigger& document = User().Document();
  for (UserFolder folder : {UserFolder::Source, UserFolder::Output, UserFolder::Export}) {
    document.SetAttr(UserSettings::KeyOf(folder), FolderEdit(folder).value());
  }
  for (int swatch = 0; swatch < 3; ++swatch) {
    document.SetAttr(kColorKeys[static_cast<size_t>(swatch)],
                     ColorToText(colors_[static_cast<size_t>(swatch)]));
  }
}

void TD_settings_user::NormaliseFolders() {
  for (UserFolder folder : {UserFolder::Source, UserFolder::Output, UserFolder::Export}) {
    Fl_Input& edit = FolderEdit(folder);
    edit.value(User().NormalisedFolderText(folder, edit.value()).c_str());
  }
}

void TD_settings_user::SetSwatch(int swatch, Color color) {
  const auto index = static_cast<size_t>(swatch);
  colors_[index] = color;
  swatches_[index]->color(fl_rgb_color(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
  swatches_[index]->redraw();
}

void TD_settings_user::OKBtnClick() {
  Store();
  User().CreateFolders();
  confirmed_ = true;
  hide();
}

void TD_settings_user::CancelBtnClick() { hide(); }

void TD_settings_user::on_SB_dirs(UserFolder folder) {
  const KeepCurrentFolder keep;
  Fl_Input& edit = FolderEdit(folder);
  const std::string start =
      ResolveFolder(User().Layout(), User().NormalisedFolderText(folder, edit.value()));
  const auto chosen = ui::CurrentDialogs().ChooseFolder(start);
  if (chosen && !chosen->empty()) edit.value(chosen->c_str());
}

void TD_settings_user::Set_color(int swatch) {
  static constexpr const char* kTitles[] = {"Text color", "Pen color", "Brush color"};
  if (const auto color =
          ui::CurrentDialogs().ChooseColor(kTitles[swatch], colors_[static_cast<size_t>(swatch)])) {
    SetSwatch(swatch, *color);
  }
}

}  // namespace vx::builder
