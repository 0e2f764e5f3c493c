// The project window base: one project document and its file name, and the project's life
// cycle (new, open, save, save as, the question before the project is left). It knows nothing
// of pictures; the main window fills in the hooks.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>

#include <array>
#include <string>

#include "document/kel_pigger.h"

namespace vx::builder {

class TPmain : public Fl_Double_Window {
 public:
  // New projects are named in projectsFolder.
  TPmain(int w, int h, const char* caption, std::string projectsFolder);

  void SetChanged(bool flag);
  void SetFileName(const std::string& path);
  void ResetDocument();
  // ViewToDocument, then the document is written (atomically) and the mark cleared.
  bool SaveProject(const std::string& path);
  // False (after "File loading error.") for a file that is not a project; a file that cannot
  // be read or parsed shows the same and then fails with its own error.
  bool LoadProject(const std::string& path);

  bool Changed() const { return changed_; }
  const std::string& FileName() const { return fileName_; }
  TKelPigger& Document() { return document_; }
  const std::string& ProjectsFolder() const { return projectsFolder_; }
  // Status bar panels: 1 shows "Changed" or what the window is doing, 2 the file name.
  Fl_Box& StatusPanel(int index) { return *panels_[static_cast<size_t>(index)]; }
  int StatusBarHeight() const { return statusBar_->h(); }

  // Overridable steps, in this order.
  virtual void AskSaveChanges();
  virtual std::string MakeNewFileName();
  virtual void PrepareDialogs() {}
  virtual void ClearView() {}
  virtual bool DocumentToView();
  virtual void ViewToDocument() {}
  virtual void FirstActivation();

  // Commands; PNewClick asks the user's steps only when the user gave the command.
  virtual void PNewClick(bool byUser);
  virtual void POpenClick();
  virtual void PSaveClick();
  virtual void PSaveasClick();
  void PExitClick();

 protected:
  // The window's close button and "Exit" come here; the window always closes.
  virtual void FormClose();
  // The status bar shows text in panel 1 while the changed mark is clear.
  void ShowActivity(const char* text);

 private:
  TKelPigger document_;
  std::string projectsFolder_;
  std::string fileName_;
  bool changed_ = false;
  Fl_Group* statusBar_;
  std::array<Fl_Box*, 3> panels_{};
};

}  // namespace vx::builder
