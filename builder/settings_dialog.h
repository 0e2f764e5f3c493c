// The settings dialog: TD_settings keeps the settings document for the whole run and carries
// the flow; TD_settings_user shows and edits the user's folders and default colours.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Tabs.H>

#include <array>
#include <string>

#include "document/vocabulary.h"
#include "user_settings.h"

namespace vx::builder {

class TD_settings : public Fl_Double_Window {
 public:
  // FormDestroy: the settings are written once more, so what the main window set on closing
  // (the last project) is kept.
  ~TD_settings() override;

  UserSettings& User() { return settings_; }
  const UserSettings& User() const { return settings_; }
  std::string SettingsFilePath() const { return settings_.Layout().settingsFile; }
  // The controls become the settings, and the file is written.
  void Store();

 protected:
  TD_settings(int w, int h, const char* caption, UserLayout layout);
  // Reads the settings and shows them; the derived dialog calls it once its controls exist.
  void FormCreate();
  virtual void LoadSettings();
  virtual void SaveSettings(const std::string& path);
  virtual void ResetSettings();
  virtual void SettingsToControls() {}
  virtual void ControlsToSettings() {}

 private:
  UserSettings settings_;
};

class TD_settings_user : public TD_settings {
 public:
  explicit TD_settings_user(UserLayout layout);

  // Shows the settings in use and returns when the dialog is closed; true after "OK".
  bool Execute();

  void FormActivate();
  void OKBtnClick();
  void CancelBtnClick();
  // "..." beside a folder: the folder browser, its choice into that folder's edit.
  void on_SB_dirs(UserFolder folder);
  // "<< Text", "<< Pen", "<< Brush": the colour dialog for that swatch.
  void Set_color(int swatch);

  Fl_Input& FolderEdit(UserFolder folder) { return *folders_[static_cast<size_t>(folder)]; }
  // The export folder's edit is kept but not shown, and has no button.
  Fl_Button& FolderButton(UserFolder folder) { return *browse_[static_cast<size_t>(folder)]; }
  Fl_Button& ColorButton(int swatch) { return *colorButtons_[static_cast<size_t>(swatch)]; }
  Color SwatchColor(int swatch) const { return colors_[static_cast<size_t>(swatch)]; }
  Fl_Button& OkButton() { return *ok_; }
  Fl_Button& CancelButton() { return *cancel_; }
  Fl_Tabs& Pages() { return *pages_; }

  // The swatches in order: text, pen, brush.
  static constexpr std::array<const char*, 3> kColorKeys = {
      names::kDefaultTextColor, names::kDefaultPenColor, names::kDefaultBrushColor};

 protected:
  void SettingsToControls() override;
  void ControlsToSettings() override;

 private:
  void NormaliseFolders();
  void SetSwatch(int swatch, Color color);

  bool confirmed_ = false;
  Fl_Tabs* pages_;
  std::array<Fl_Input*, 3> folders_{};
  std::array<Fl_Button*, 3> browse_{};
  std::array<Fl_Box*, 3> swatches_{};
  std::array<Fl_Button*, 3> colorButtons_{};
  std::array<Color, 3> colors_{kDefaultTextColor, kDefaultPenColor, kDefaultBrushColor};
  Fl_Button* ok_;
  Fl_Button* cancel_;
};

}  // namespace vx::builder
