// The busy window shown while the main window loads pictures: a bold text and a small picture
// circling around another one, on top of the other windows. The user cannot close it.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>

#include <string>

namespace vx::builder {

class TD_working : public Fl_Double_Window {
 public:
  TD_working();
  ~TD_working() override;

  // Shows the text, not modal; the window refuses to close until StopBusy.
  void StartBusy(const std::string& text);
  void StopBusy();

  // A close request (the window manager's close button, Escape).
  void FormClose();
  // One step of the animation, every 200 ms while busy.
  void Timer1Timer();

  double Angle() const { return angle_; }
  const Fl_Box& Mark() const { return *mark_; }
  bool Closable() const { return closable_; }

 private:
  static void Tick(void* window);
  void PlaceMark();

  std::string text_;
  Fl_Box* label_;
  Fl_Box* ellipse_;  // never drawn: only the path of the mark
  Fl_Box* mark_;
  double angle_ = 0;
  bool closable_ = true;
  bool timer_ = false;
};

}  // namespace vx::builder
