// One dialog for two jobs: typing the archive's password, and choosing what to extract,
// where to and how (or to make the current picture the wallpaper).
#pragma once

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Secret_Input.H>

#include <string>

#include "buttons.h"

namespace vx::viewer {

class TD_dialog_actions : public Fl_Double_Window {
 public:
  TD_dialog_actions();

  // The password panel; its box starts empty. True when confirmed.
  bool AskPassword(const std::string& linkCaption, const std::string& linkAddress);
  // The extraction panel; the wallpaper choice is offered only when allowed.
  bool AskExtraction(bool wallpaperAllowed);
  std::string PasswordText() const { return pass_->value(); }

  enum class What { Current, Checked, All, Wallpaper };
  What Choice() const;
  void SetChoice(What what);
  bool ApplyPointers() const { return pointers_->value() != 0; }
  bool UseRelativePaths() const { return relpath_->value() != 0; }
  std::string TargetFolder() const { return path_->value(); }

  Fl_Secret_Input& PasswordBox() { return *pass_; }
  Fl_Input& PathBox() { return *path_; }
  Fl_Check_Button& PointersBox() { return *pointers_; }
  Fl_Check_Button& RelativePathBox() { return *relpath_; }
  Fl_Round_Button& WallpaperButton() { return *wallpaper_; }
  Fl_Widget& ChooseFolderButton() { return *choose_; }
  bool LinkVisible() const;

  void SB_okClick();
  void SB_cancelClick();
  void SB_pathClick();
  void actions_enabling();

 private:
  bool confirmed_ = false;
  Fl_Group* passPanel_;
  Fl_Secret_Input* pass_;
  LinkText* link_;
  Fl_Group* extractPanel_;
  Fl_Input* path_;
  Fl_Button* choose_;
  Fl_Round_Button* current_;
  Fl_Round_Button* checked_;
  Fl_Round_Button* all_;
  Fl_Round_Button* wallpaper_;
  Fl_Check_Button* pointers_;
  Fl_Check_Button* relpath_;
};

}  // namespace vx::viewer
