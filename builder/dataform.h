// TP_dataform: the base of the builder's modal edit dialogs. A dialog edits one text: the
// caller's text goes in through LoadText, the controls make the new one in StoreText, and only
// "Ok" hands it back.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include <string>

namespace vx::builder {

class TP_dataform : public Fl_Double_Window {
 public:
  // Shows the dialog on text; after "Ok" the result replaces text and the answer is true.
  // Cancel, the close button and Escape leave text as it was.
  bool EditText(std::string& text);

  virtual void LoadText(const std::string& text);
  virtual void StoreText() {}
  virtual void ResetText();

  void btn_okClick();
  void btn_cancelClick();

  Fl_Button& OkButton() { return *ok_; }
  Fl_Button& CancelButton() { return *cancel_; }

 protected:
  // The derived dialog puts its controls above the bottom bar, which is ButtonBarHeight high.
  TP_dataform(int w, int h, const char* caption);
  // Adds the bottom bar with "Ok" and "Cancel", ends the window and scales it; the derived
  // dialog calls it once its own controls are made.
  void EndForm();
  static constexpr int ButtonBarHeight = 41;

  std::string resultText_;
  bool confirmed_ = false;

 private:
  Fl_Button* ok_ = nullptr;
  Fl_Button* cancel_ = nullptr;
};

}  // namespace vx::builder
