// The start dialog: a new project, an existing one or the last one edited.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Round_Button.H>

#include <array>
#include <memory>

#include "ui/link_text.h"

class Fl_Image;

namespace vx::builder {

class TFstart : public Fl_Double_Window {
 public:
  enum Choice { NewProject = 0, OpenProject = 1, LastProject = 2 };

  TFstart();
  ~TFstart() override;

  // Shows the dialog modally; the last project can be chosen only when there is one. The
  // result is the choice made with "Start" or a picture; 0 when closed in another way.
  int Execute(bool lastProjectKnown);

  void Btn_closeClick();
  // A click on a picture: chooses it and closes, unless that choice is disabled.
  void one_click_start(int choice);

  Fl_Round_Button& Choice(int choice) { return *radios_[static_cast<size_t>(choice)]; }
  Fl_Widget& PictureOf(int choice) { return *pictures_[static_cast<size_t>(choice)]; }
  Fl_Button& StartButton() { return *start_; }

 protected:
  // PaintBox1Paint: white at the left to silver at the right, under the choices.
  void draw() override;

 private:
  int Chosen() const;

  std::array<Fl_Round_Button*, 3> radios_{};
  std::array<ui::Clickable*, 3> pictures_{};
  std::unique_ptr<Fl_Image> disabledLast_;
  Fl_Button* start_;
  int result_ = NewProject;
};

}  // namespace vx::builder
