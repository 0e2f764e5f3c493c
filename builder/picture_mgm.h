// TF_picture_mgm: the picture an icon is made from. The picture can be pasted from the
// clipboard, shown smaller or larger, turned, and a grab rectangle over it marks the part
// that "Apply" reduces to the icon.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Toggle_Button.H>

#include <memory>
#include <string>

#include "picture/bitmap.h"
#include "picture_box.h"
#include "scale_image_dialog.h"

namespace vx::builder {

class GrabShape;
class IconPreview;

class TF_picture_mgm : public Fl_Double_Window {
 public:
  TF_picture_mgm();

  // Shows the dialog on copies of the picture and the icon. True when the user confirmed
  // with "Ok" and something was changed; after "Ok" the two receive the dialog's picture and
  // icon, after "Cancel" or closing they stay as they were.
  bool ManagePicture(Bitmap& picture, Bitmap& icon, const std::string& caption);

  void btn_pasteClick();
  void btn_scaleClick();
  void SB_r_lClick();
  void SB_r_rClick();
  void SB_make_tnClick();
  void SB_apply_thClick();
  // Ctrl+C: the picture goes to the clipboard.
  void CopyPicture();

  int Scale() const { return scale_; }
  bool Changed() const { return changed_; }
  const Bitmap& Icon() const { return icon_; }
  PictureBox& Image1() { return *image1_; }
  Fl_Widget& Shape_catch();
  Fl_Scroll& ScrollBox1() { return *scroll_; }
  Fl_Button& btn_paste() { return *paste_; }
  Fl_Button& btn_scale() { return *scaleButton_; }
  Fl_Button& SB_r_l() { return *rotateLeft_; }
  Fl_Button& SB_r_r() { return *rotateRight_; }
  Fl_Toggle_Button& SB_make_tn() { return *grab_; }
  Fl_Button& SB_apply_th() { return *apply_; }
  Fl_Button& btn_ok() { return *ok_; }
  Fl_Button& btn_cancel() { return *cancel_; }
  TD_scale_image& ScaleDialog() { return *scaleDialog_; }

  int handle(int event) override;

 private:
  void ShowGrab(bool shown);
  void Rotate(Bitmap (*turn)(const Bitmap&));

  std::string caption_;
  Bitmap icon_;
  int scale_ = 100;
  bool changed_ = false;
  bool confirmed_ = false;
  // Made after this window's children, so it is a window of its own and not one of them.
  std::unique_ptr<TD_scale_image> scaleDialog_;
  Fl_Scroll* scroll_;
  PictureBox* image1_;
  GrabShape* grabShape_;
  IconPreview* image2_;
  Fl_Button* paste_;
  Fl_Button* scaleButton_;
  Fl_Button* rotateLeft_;
  Fl_Button* rotateRight_;
  Fl_Toggle_Button* grab_;
  Fl_Button* apply_;
  Fl_Button* ok_;
  Fl_Button* cancel_;
};

}  // namespace vx::builder
