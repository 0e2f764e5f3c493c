// "Print picture": a page preview with the picture on it, the scale ("Original" or "Fit to
// page"), the printer setup, and printing one centred page.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Round_Button.H>

#include <memory>
#include <vector>

#include "buttons.h"
#include "picture/bitmap.h"
#include "print_layout.h"

namespace vx::viewer {

class TF_prnt : public Fl_Double_Window {
 public:
  TF_prnt();

  // Shows the dialog for a copy of the picture; false when preparing failed (the error has
  // been shown then).
  bool PrintPicture(const Bitmap& picture);
  // Computes the preview, the dialog's size and what goes to the printer.
  void Prepare();

  bool FitToPageChosen() const { return fit_->value() != 0; }
  void ChooseFitToPage(bool fit);
  bool ScaleChoiceVisible() const { return scale_->visible() != 0; }
  const Bitmap& PrintBitmap() const { return printBitmap_; }
  Size Preview() const { return preview_; }
  // The preview of the sheet, and where the picture shows on it, in the dialog's (screen)
  // coordinates.
  Rect PreviewPage() const;
  Rect PreviewPictureRect() const { return thumbnailRect_; }

  void SB_printClick();
  void SB_setupClick();
  void SB_cancelClick() { hide(); }

 protected:
  void draw() override;

 private:
  void EnableControls(bool enable);

  Bitmap picture_;
  Bitmap printBitmap_;
  Bitmap thumbnail_;
  ui::PageSetup page_;
  Size preview_{kPreviewSide, kPreviewSide};
  Rect thumbnailRect_;
  Fl_Group* panel_;
  VxButton* print_;
  VxButton* setup_;
  VxButton* cancel_;
  Fl_Group* scale_;
  Fl_Round_Button* original_;
  Fl_Round_Button* fit_;
};

}  // namespace vx::viewer
