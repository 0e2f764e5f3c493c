// The builder's small modal dialogs: a message, a yes/no question, and the question before
// deleting pictures with its choice between the current and the checked pictures. Each is made
// once and reused; every showing goes through the dialogs seam.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Round_Button.H>

#include <string>

namespace vx::builder {

// A framed, word-wrapped text above the dialog's buttons; the dialog grows with the text.
class TextDialog : public Fl_Double_Window {
 public:
  // The text as shown.
  const char* Text() const { return text_->label(); }

 protected:
  // The text area spans the width; extraHeight leaves room below it for a derived dialog.
  TextDialog(const char* caption, int extraHeight);
  void SetText(const std::string& text);
  // The area between the text and the buttons.
  int ExtraTop() const;
  int ButtonTop() const;

 private:
  Fl_Box* text_;
  std::string shown_;
  int extraHeight_;
};

class TDmsg : public TextDialog {
 public:
  TDmsg();
  // Returns when the user has closed the dialog.
  void ShowText(const std::string& text);
  Fl_Button& OkButton() { return *ok_; }

 private:
  Fl_Button* ok_;
};

class TFsure : public TextDialog {
 public:
  TFsure();
  // True only when "Yes" was clicked; "No", the close button and Escape answer false.
  bool Ask(const std::string& text);
  void OKBtnClick();
  Fl_Button& YesButton() { return *yes_; }
  Fl_Button& NoButton() { return *no_; }

 protected:
  TFsure(const char* caption, int extraHeight);

 private:
  bool answer_ = false;
  Fl_Button* yes_;
  Fl_Button* no_;
};

// The caller enables, disables and chooses the two choices before asking; they keep their
// states from one question to the next.
class TFsure_del : public TFsure {
 public:
  TFsure_del();
  // -1 after "No" (or any other way of closing), whatever is chosen; otherwise 1 for "Delete
  // checked", 0 for "Delete current" and -1 when neither is chosen.
  int AskDelete(const std::string& text);
  Fl_Round_Button& RB_current() { return *current_; }
  Fl_Round_Button& RB_checked() { return *checked_; }

 private:
  Fl_Round_Button* current_;
  Fl_Round_Button* checked_;
};

}  // namespace vx::builder
