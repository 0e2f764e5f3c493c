// The new-project wizard: output kind, source pictures, archive file, JPEG quality and how to
// finish, in six pages. It keeps its choices from one run to the next; the main window hands
// in the values of each run and takes the result document "WZ" as the new project.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Slider.H>

#include <array>
#include <string>

#include "message_dialogs.h"
#include "source_panel.h"
#include "ui/dialogs.h"
#include "ui/link_text.h"
#include "wizard.h"
#include "wizard/new_project.h"

namespace vx::builder {

// What the main window hands in before each run.
struct NewProjectInputs {
  std::string outputFile;    // the proposed archive file
  std::string outputFolder;  // where the destination dialog starts
  std::string sourceFolder;  // where the picture dialog starts
  int jpegQuality = 65;
};

class TW_new_prj : public TP_wizard {
 public:
  enum Page { WelcomePage, KindPage, PicturesPage, DestinationPage, CompressionPage, FinishPage };

  explicit TW_new_prj(TDmsg& msg);

  NewProjectInputs Inputs;

  // The first page, then the base's run.
  bool RunWizard() override;
  // After a finished run: the finish choice was "EASY", and "Run ZRV after exit" is checked.
  bool EasyChosen() const { return finish_[0]->value() != 0; }
  bool RunAfterExit() const { return run_->value() != 0; }

  OutputKind Kind() const;
  void RG_kindClick();
  void RadioGroup1Click();
  void SB_dstClick();
  void TrackBar2Change();

  Fl_Round_Button& KindButton(OutputKind kind) { return *kinds_[static_cast<size_t>(kind)]; }
  Fl_Widget& KindHint() { return *hint_; }
  TOW_source& Source() { return *source_; }
  Fl_Input& ArchiveFileEdit() { return *file_; }
  Fl_Button& DestinationButton() { return *browse_; }
  Fl_Slider& QualityBar() { return *quality_; }
  const char* QualityText() const { return qualityValue_->label(); }
  Fl_Round_Button& FinishButton(bool easy) { return *finish_[easy ? 0 : 1]; }
  Fl_Check_Button& RunBox() { return *run_; }
  // The destination dialog as it will start.
  const ui::FileChoice& DestinationChoice() const { return destination_; }

 protected:
  Fl_Group* NewPage(int x, int y, int w, int h) override;
  bool CollectResult() override;
  void PrepareWizard() override;
  bool CanLeavePage(int page, bool forward) override;

 private:
  // A new page with its heading in a brownish red.
  Fl_Group* AddHeadedPage(const char* heading);

  TDmsg& msg_;
  std::array<Fl_Round_Button*, 3> kinds_{};
  Fl_Group* hint_;
  TOW_source* source_;
  Fl_Input* file_;
  Fl_Button* browse_;
  Fl_Slider* quality_;
  Fl_Box* qualityValue_;
  std::string qualityText_;
  Fl_Group* qualityPage_;
  std::array<Fl_Round_Button*, 2> finish_{};
  Fl_Check_Button* run_;
  ui::FileChoice destination_;
};

}  // namespace vx::builder
