// TF_dsc_flds, "Frame description": a picture's fields as a table and its description as a
// text, edited as the text form of its FLDS node. Field sets copy from picture to picture, and
// values come from the picture's EXIF data.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Tabs.H>

#include <optional>
#include <string>
#include <vector>

#include "dataform.h"
#include "document/field_set.h"
#include "field_editor.h"
#include "fields_panel.h"
#include "message_dialogs.h"

// Their header brings X11's macros, which tests that include this one cannot have.
class Fl_Text_Buffer;
class Fl_Text_Editor;

namespace vx::builder {

class TF_dsc_flds : public TP_dataform {
 public:
  // "Edit" runs fieldEditor; "Delete" asks sure first.
  TF_dsc_flds(TE_field& fieldEditor, TFsure& sure);
  ~TF_dsc_flds() override;

  void LoadText(const std::string& text) override;
  void StoreText() override;
  void ResetText() override;

  // The current picture's source file, whose EXIF data "Import EXIF data" takes; set before
  // each use.
  std::string SourcePicture;

  void SB_addClick();
  void SB_delClick();
  void SB_editClick();
  void SB_copy_fsClick();
  void SB_paste_fsClick();
  void SB_exifClick();
  void O_pvt_fields1VSTChange();

  TO_pvt_fields& O_pvt_fields1() { return *table_; }
  Fl_Tabs& Pages() { return *pages_; }
  Fl_Group& TablePage() { return *tablePage_; }
  Fl_Group& TextPage() { return *textPage_; }
  Fl_Text_Editor& DescriptionEdit() { return *description_; }
  Fl_Button& AddButton() { return *SB_add_; }
  Fl_Button& DeleteButton() { return *SB_del_; }
  Fl_Button& EditButton() { return *SB_edit_; }
  Fl_Button& CopyButton() { return *SB_copy_fs_; }
  Fl_Button& PasteButton() { return *SB_paste_fs_; }
  Fl_Button& ExifButton() { return *SB_exif_; }
  // The working field set as it stands.
  const TKelPigger& FieldSet() const { return fieldSet_; }

 private:
  // The "Text" page's text becomes the working set's description.
  void TakeDescription();

  TE_field& fieldEditor_;
  TFsure& sure_;
  TKelPigger fieldSet_;
  // Kept for the whole run, so a set copied on one picture pastes on another.
  std::string copied_;
  std::optional<std::vector<NamedValue>> exif_;

  Fl_Tabs* pages_;
  Fl_Group* tablePage_;
  Fl_Group* textPage_;
  TO_pvt_fields* table_;
  Fl_Text_Buffer* text_;
  Fl_Text_Editor* description_;
  Fl_Button* SB_add_;
  Fl_Button* SB_del_;
  Fl_Button* SB_edit_;
  Fl_Button* SB_copy_fs_;
  Fl_Button* SB_paste_fs_;
  Fl_Button* SB_exif_;
};

}  // namespace vx::builder
