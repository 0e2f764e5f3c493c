// The description panel: a small picture of the frame under its name, the frame's
// description text, and its fields as name and value rows.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include <memory>
#include <vector>

#include "buttons.h"
#include "document/kel_pigger.h"
#include "picture/bitmap.h"

namespace vx::viewer {

// Where the picture goes in the black thumbnail panel of the given size: fitted into the box
// left between the two name strips, centred.
Rect DescriptionThumbnailRect(Size panel, Size picture);
inline int FieldRowTop(int row) { return row * 18 + 8; }

// A box that shows a bitmap at its top-left corner.
class BitmapBox : public Fl_Widget {
 public:
  BitmapBox(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}
  Bitmap picture;

 protected:
  void draw() override;
};

class TO_framedsc : public Fl_Group {
 public:
  TO_framedsc(int x, int y, int w, int h);
  ~TO_framedsc() override;

  // Shows the frame (or nothing) with the picture (or none).
  void ShowFrame(const TKelPigger* frame, const Bitmap* picture);
  void ClearPanel();

  VxButton& CloseButton() { return *close_; }
  Fl_Widget& LinkIcon() { return *icon_; }
  const std::string& Caption() const { return caption_; }
  std::string DescriptionText() const;
  int FieldRowCount() const { return static_cast<int>(nameLabels_.size()); }
  Fl_Box& NameLabel(int row) { return *nameLabels_[static_cast<size_t>(row)]; }
  Fl_Box& ValueLabel(int row) { return *valueLabels_[static_cast<size_t>(row)]; }
  Rect ThumbnailRect() const { return thumbnailRect_; }

  void resize(int x, int y, int w, int h) override;

 private:
  void Layout();

  Fl_Group* top_;
  Fl_Group* thumbnailPanel_;
  Fl_Box* nameStrip_;
  BitmapBox* thumbnail_;
  Fl_Text_Display* memo_;
  std::unique_ptr<Fl_Text_Buffer> text_;
  Fl_Scroll* fields_;
  Fl_Group* bottom_;
  LinkText* credit_;
  ui::LinkIcon* icon_;
  VxButton* close_;
  std::vector<Fl_Box*> nameLabels_, valueLabels_;
  std::vector<std::string> fieldTexts_;
  std::string caption_;
  Rect thumbnailRect_;
};

}  // namespace vx::viewer
