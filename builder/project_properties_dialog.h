// TF_edit_prj, "Archive Project Properties": the project-wide settings (archive file and kind,
// icon, magnifier, JPEG quality, password, protection and the link to the password) edited as
// the properties text of document/property_text.h.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Tabs.H>

#include <array>
#include <functional>
#include <string>

#include "dataform.h"
#include "document/property_text.h"
#include "icon_choicer.h"
#include "picture_mgm.h"
#include "track_bar.h"

namespace vx::builder {

// The magnifier's circle at the diameter chosen, in its border colour.
class LensCircle : public Fl_Box {
 public:
  LensCircle(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {}
  void SetCircle(int diameter, Color color);
  int Diameter() const { return diameter_; }
  Color CircleColor() const { return color_; }

 protected:
  void draw() override;

 private:
  int diameter_ = 170;
  Color color_ = 0;
};

class TF_edit_prj : public TP_dataform {
 public:
  enum class Page { ArchiveFile, MagnifyingGlass, Other, PasswordedAreas };

  // "Make Icon from Graphic" edits the icon in pictures.
  explicit TF_edit_prj(TF_picture_mgm& pictures);
  ~TF_edit_prj() override;

  void LoadText(const std::string& text) override;
  void StoreText() override;

  // The page shown next; a page the kind does not offer shows "Archive file" instead.
  void SetActivePage(Page page);
  // The page shown, and whether the kind offers it.
  Page ActivePage() const;
  bool Offers(Page page) const;

  void RG1Click();
  void TrackBar1Change();
  void TrackBar2Change();
  void SB_output_fileClick();
  void SB_MGcolorClick();
  void SB_jump2jpqClick();
  void SB_pwd_urlClick();
  void O_icon_choicer1SB_make_iconClick();

  // Where "Make Icon from Graphic" takes its picture: the main window's current tile's
  // thumbnail, or null without one.
  void OnCurrentPicture(std::function<const Bitmap*()> current) {
    currentPicture_ = std::move(current);
  }

  int OutputKind() const;
  Fl_Input& OutputFileEdit() { return *outputFile_; }
  Fl_Button& OutputFileButton() { return *SB_output_file_; }
  Fl_Round_Button& KindButton(int kind) { return *kinds_[static_cast<size_t>(kind)]; }
  Fl_Group& IconGroup() { return *iconGroup_; }
  // Also read by the main window when it makes an executable archive.
  TO_icon_choicer& O_icon_choicer1() { return *O_icon_choicer1_; }
  Fl_Group& OptionsGroup() { return *optionsGroup_; }
  Fl_Check_Button& PointersInZipBox() { return *pointersInZip_; }
  TrackBar& DiameterBar() { return *TrackBar1_; }
  const char* DiameterLabel() const { return diameterLabel_->label(); }
  LensCircle& Circle() { return *circle_; }
  Fl_Button& ColorButton() { return *SB_MGcolor_; }
  TrackBar& QualityBar() { return *TrackBar2_; }
  // The quality as "Options:" and "Other" show it.
  const char* OptionsQualityLabel() const { return optionsQuality_->label(); }
  const char* OtherQualityLabel() const { return otherQuality_->label(); }
  Fl_Button& JumpToQualityButton() { return *SB_jump2jpq_; }
  Fl_Input& PasswordEdit() { return *password_; }
  Fl_Round_Button& StrongButton() { return *strong_; }
  Fl_Round_Button& CompatibleButton() { return *compatible_; }
  Fl_Input& LinkTextEdit() { return *linkText_; }
  Fl_Input& LinkAddressEdit() { return *linkAddress_; }
  Fl_Button& CheckLinkButton() { return *SB_pwd_url_; }
  Fl_Tabs& Pages() { return *pages_; }

 private:
  void ShowQuality();
  void SetKind(int kind);
  Fl_Group& PageGroup(Page page) const { return *pageGroups_[static_cast<size_t>(page)]; }

  TF_picture_mgm& pictures_;
  std::function<const Bitmap*()> currentPicture_;
  std::string qualityText_;
  std::string diameterText_;

  Fl_Tabs* pages_;
  std::array<Fl_Group*, 4> pageGroups_{};
  Fl_Input* outputFile_;
  Fl_Button* SB_output_file_;
  Fl_Group* RG1_;
  std::array<Fl_Round_Button*, kOutputKindCount> kinds_{};
  Fl_Group* iconGroup_;
  TO_icon_choicer* O_icon_choicer1_;
  Fl_Group* optionsGroup_;
  Fl_Box* optionsQuality_;
  Fl_Button* SB_jump2jpq_;
  Fl_Check_Button* pointersInZip_;
  Fl_Box* diameterLabel_;
  TrackBar* TrackBar1_;
  LensCircle* circle_;
  Fl_Button* SB_MGcolor_;
  TrackBar* TrackBar2_;
  Fl_Box* otherQuality_;
  Fl_Input* password_;
  Fl_Round_Button* strong_;
  Fl_Round_Button* compatible_;
  Fl_Input* linkText_;
  Fl_Input* linkAddress_;
  Fl_Button* SB_pwd_url_;
};

}  // namespace vx::builder
