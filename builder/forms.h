// The builder's dialogs, made once at start in this order and kept until the program ends.
#pragma once

#include "busy_window.h"
#include "edit_object.h"
#include "fields_dialog.h"
#include "message_dialogs.h"
#include "new_project_wizard.h"
#include "objects_window.h"
#include "picture_mgm.h"
#include "project_properties_dialog.h"
#include "run_dialog.h"
#include "settings_dialog.h"
#include "start_dialog.h"

namespace vx::builder {

struct Forms {
  explicit Forms(UserLayout layout) : settings(std::move(layout)) {}

  TF_objects_ff objects;
  TF_edit_obj editObj;
  // Made before the properties, whose icon it makes.
  TF_picture_mgm pictureMgm;
  TF_edit_prj editPrj{pictureMgm};
  TFsure sure;
  TE_field fieldEditor;
  TF_dsc_flds fields{fieldEditor, sure};
  TDmsg msg;
  TD_settings_user settings;
  TFstart start;
  TD_run run{msg, sure};
  TW_new_prj wizard{msg};
  TD_working working;
  TFsure_del sureDel;
};

}  // namespace vx::builder
