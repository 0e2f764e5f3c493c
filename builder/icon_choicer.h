// TO_icon_choicer: the archive's own icon in the project properties: the default icon (the
// viewer's own), an icon file, or an icon made from a picture. It holds the shown icon as the
// bytes of an ICO file.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_RGB_Image.H>

#include <functional>
#include <memory>
#include <string>

#include "picture/bitmap.h"

namespace vx::builder {

class TO_icon_choicer : public Fl_Group {
 public:
  // Its size at 96 dpi; the dialog holding it scales it with the rest.
  static constexpr int kWidth = 232, kHeight = 84;

  TO_icon_choicer(int x, int y);

  // The default icon is shown and chosen.
  void SB_default_iconClick();
  // Asks for an ICO file; a chosen one is shown, all its images kept. A file that is too
  // large or no icon is refused with a message and the shown icon stays.
  void SB_load_iconClick();
  // An icon of the system size made from the bitmap, drawn at (0, 0), is shown and chosen.
  void MakeIconFromBitmap(const Bitmap& bitmap);

  // Empty while the default icon is chosen; otherwise the project's form of the shown icon.
  // Shows "Wrong IconInfo Structure" and answers empty when its picture cannot be had.
  std::string GetIconText();
  // The default icon for an empty text; otherwise the icon the text holds. Fails on a text
  // that holds none, leaving the shown icon as it was.
  void SetIconText(const std::string& text);

  bool DefaultIcon() const { return default_; }
  // The shown icon as an ICO file.
  const std::string& IconFile() const { return icon_; }
  // What the maker puts into an executable archive (MakeOptions::mainIcon): the shown icon,
  // nothing while the default icon is chosen, so the archive keeps the viewer's own.
  std::string ArchiveIcon() const { return default_ ? std::string() : icon_; }

  // "Make Icon from Graphic" is the properties dialog's to handle.
  void OnMakeIcon(std::function<void()> handler) { onMakeIcon_ = std::move(handler); }

  Fl_Box& Image1() { return *image1_; }
  Fl_Button& SB_default_icon() { return *defaultButton_; }
  Fl_Button& SB_load_icon() { return *loadButton_; }
  Fl_Button& SB_make_icon() { return *makeButton_; }

 private:
  void Show(std::string icon, bool isDefault);

  std::string icon_;
  bool default_ = true;
  std::unique_ptr<Fl_RGB_Image> shown_;
  std::function<void()> onMakeIcon_;
  Fl_Box* image1_;
  Fl_Button* defaultButton_;
  Fl_Button* loadButton_;
  Fl_Button* makeButton_;
};

}  // namespace vx::builder
