// TF_edit_obj: the modal dialog that edits every property of one pointer. Its fields keep
// their values between showings where a pointer has nothing to put in them (the area size of a
// cloud or an arrow), so a pointer turned into an area gets the size shown last.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Round_Button.H>

#include <array>
#include <optional>

#include "document/conversions.h"
#include "pointers/placed_pointer.h"

namespace vx::builder {

class TMhint;
class TO_img_frame;

// A whole number field from 20 to 10000 with up and down buttons; a value outside is
// corrected to the nearer bound when the field loses the focus, a text that is no number
// reads as 20.
class SpinEdit : public Fl_Group {
 public:
  SpinEdit(int x, int y, int w, int h, const char* label);
  int Value() const;
  void SetValue(int value);
  Fl_Input& Input() { return *input_; }

 private:
  Fl_Input* input_;
};

// A colour swatch that opens the colour chooser when clicked, as does its button.
class ColorSwatch;

class TF_edit_obj : public Fl_Double_Window {
 public:
  TF_edit_obj();

  // The properties as the author left them after "Ok", or nothing after "Cancel" or closing.
  std::optional<PointerProperties> Edit(const PointerProperties& pointer);
  // Edits the frame's pointer: true after "Ok", when the frame has taken the new properties.
  bool EditPointer(TO_img_frame& frame, TMhint& pointer);

  Fl_Choice& CB_ptr_type() { return *kind_; }
  Fl_Input& Edit_text() { return *text_; }
  Fl_Group& GB_direction() { return *direction_; }
  Fl_Group& GB_fsize() { return *size_; }
  Fl_Round_Button& RB_L2R() { return *l2r_; }
  Fl_Round_Button& RB_R2L() { return *r2l_; }
  Fl_Round_Button& RB_T2B() { return *t2b_; }
  Fl_Round_Button& RB_B2T() { return *b2t_; }
  SpinEdit& SpinEdit_width() { return *width_; }
  SpinEdit& SpinEdit_height() { return *height_; }
  // 0 text, 1 pen, 2 brush: the swatch and its button.
  Fl_Widget& Swatch(int index);
  Fl_Button& SwatchButton(int index) { return *swatchButtons_[static_cast<size_t>(index)]; }
  Color SwatchColor(int index) const;
  Fl_Button& btn_ok() { return *ok_; }
  Fl_Button& btn_cancel() { return *cancel_; }

 private:
  // Which controls show follows the kind chosen.
  void CB_ptr_typeChange();
  void btn_okClick();

  Fl_Choice* kind_;
  Fl_Input* text_;
  Fl_Group* direction_;
  Fl_Group* size_;
  Fl_Round_Button *l2r_, *r2l_, *t2b_, *b2t_;
  SpinEdit *width_, *height_;
  std::array<ColorSwatch*, 3> swatches_;
  std::array<Fl_Button*, 3> swatchButtons_;
  Fl_Button* ok_;
  Fl_Button* cancel_;
  bool confirmed_ = false;
};

}  // namespace vx::builder
