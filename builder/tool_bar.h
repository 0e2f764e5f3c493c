// The main window's tool bar: buttons with a caption under a picture, whose picture lights up
// under the mouse and greys out while the button is disabled.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>

#include <functional>
#include <memory>
#include <vector>

#include "pictures.h"

class Fl_Image;

namespace vx::builder {

class ToolButton : public Fl_Button {
 public:
  ToolButton(int x, int y, const char* caption, Picture picture, std::function<void()> click);
  ~ToolButton() override;
  // The look in use: normal, hot (under the mouse) or disabled.
  bool Hot() const { return hot_; }

 protected:
  int handle(int event) override;

 private:
  void SetHot(bool hot);

  std::function<void()> click_;
  std::unique_ptr<Fl_Image> normal_, hotImage_, disabled_;
  bool hot_ = false;
};

class ToolBar : public Fl_Group {
 public:
  static constexpr int kButtonWidth = 50, kButtonHeight = 45, kHeight = 49;

  ToolBar(int x, int y, int w);
  // Appended after the last button, or after a separator's gap.
  ToolButton& Add(const char* caption, Picture picture, std::function<void()> click);
  void AddSeparator();

  const std::vector<ToolButton*>& Buttons() const { return buttons_; }
  ToolButton* Find(const char* caption) const;

 private:
  int next_;
  std::vector<ToolButton*> buttons_;
};

}  // namespace vx::builder
