// The wizard's picture list panel: source pictures added through the picture dialog, each
// once, put in order, and a preview of the selected one.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Output.H>

#include <memory>
#include <string>

#include "picture/bitmap.h"
#include "ui/latest_work.h"
#include "wizard/source_list.h"

namespace vx::builder {

// Black behind the selected picture while "Preview" is on, a white diagonal hatch otherwise;
// the picture centred.
class PreviewBox : public Fl_Widget {
 public:
  PreviewBox(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}
  bool solid = false;
  std::shared_ptr<const Bitmap> picture;

 protected:
  void draw() override;
};

class TOW_source : public Fl_Group {
 public:
  TOW_source(int x, int y, int w, int h);

  int Count() const { return list_.Count(); }
  // Empty when the index is out of range.
  std::string Entry(int index) const { return list_.Entry(index); }
  const SourceList& List() const { return list_; }

  // Where the picture dialog starts.
  std::string PictureFolder;

  // "Add", or a double click in the list: the picture dialog's files are appended, each
  // unless the list holds it already.
  void SB_srcfileClick();
  void SB_delClick();
  void SB_up_dn_Click(bool up);
  // A click in the list or on "Preview": the path field, the preview and the buttons follow
  // the selection.
  void ActiveItemChanged();
  void UpdateButtons();

  // The preview being read; it shows when the reading is done.
  bool PreviewBusy() const { return reader_.Busy(); }

  Fl_Hold_Browser& Files() { return *files_; }
  Fl_Output& PathField() { return *path_; }
  Fl_Button& AddButton() { return *add_; }
  Fl_Button& DelButton() { return *del_; }
  Fl_Button& UpButton() { return *up_; }
  Fl_Button& DownButton() { return *down_; }
  Fl_Check_Button& PreviewCheck() { return *preview_; }
  PreviewBox& Preview() { return *box_; }

 private:
  // The list box shows the file names, the selection as in the list.
  void ShowList();
  void SetPicture(std::shared_ptr<const Bitmap> picture);

  SourceList list_;
  Fl_Output* path_;
  Fl_Hold_Browser* files_;
  Fl_Button* add_;
  Fl_Button* del_;
  Fl_Button* up_;
  Fl_Button* down_;
  Fl_Check_Button* preview_;
  PreviewBox* box_;
  ui::LatestWork reader_;
};

}  // namespace vx::builder
