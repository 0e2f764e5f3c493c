// The builder's pictures, taken from a freely licensed icon set when it is built and
// compiled in, so the program needs no files beside it to show them.
#pragma once

class Fl_RGB_Image;

namespace vx::builder {

enum class Picture {
  NewProject,  // the start dialog's three choices
  OpenProject,
  LastProject,
  BusyBackground,  // the busy window's picture and what circles around it
  BusyMark,
  ToolNew,  // the main window's tool bar, in its order
  ToolOpen,
  ToolSave,
  ToolUndo,
  ToolRedo,
  ToolAdd,
  ToolDelete,
  ToolObjects,
  ToolFields,
  ToolProject,
  ToolRun,
  ToolExit,
  PasswordPage,  // the properties' page "Passworded areas"
};

// Decoded once and kept for the whole run.
Fl_RGB_Image& PictureOf(Picture picture);

}  // namespace vx::builder
