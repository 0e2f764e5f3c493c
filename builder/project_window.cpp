#include "project_window.h"

#include <FL/Fl.H>

#include "document/project_state.h"
#include "document/vocabulary.h"
#include "platform/current_folder.h"
#include "ui/dialogs.h"

namespace vx::builder {
namespace {

constexpr int kStatusHeight = 20;
constexpr int kPanelWidths[] = {50, 100, 80};  // the last one takes the rest
constexpr const char* kProjectFilter = "Projects\t*.vxpr\nAll files\t*";
constexpr const char* kLoadingError = "File loading error.";

}  // namespace

TPmain::TPmain(int w, int h, const char* caption, std::string projectsFolder)
    : Fl_Double_Window(w, h, caption), projectsFolder_(std::move(projectsFolder)) {
  statusBar_ = new Fl_Group(0, h - kStatusHeight, w, kStatusHeight);
  int x = 0;
  for (size_t panel = 0; panel < panels_.size(); ++panel) {
    const int width = panel + 1 < panels_.size() ? kPanelWidths[panel] : w - x;
    panels_[panel] =
        new Fl_Box(FL_THIN_DOWN_BOX, x, statusBar_->y(), width, kStatusHeight, nullptr);
    panels_[panel]->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_CLIP);
    panels_[panel]->labelsize(12);
    x += width;
  }
  statusBar_->resizable(panels_.back());
  statusBar_->end();
  callback([](Fl_Widget* window, void*) {
    // Escape is no way to end the program; the close button and Exit are.
    if ((Fl::event() == FL_SHORTCUT || Fl::event() == FL_KEYBOARD) && Fl::event_key() == FL_Escape)
      return;
    static_cast<TPmain*>(window)->FormClose();
  });
  ResetDocument();
}

void TPmain::SetChanged(bool flag) {
  changed_ = flag;
  ShowActivity(flag ? "Changed" : "");
}

void TPmain::ShowActivity(const char* text) { panels_[1]->copy_label(text); }

void TPmain::SetFileName(const std::string& path) {
  fileName_ = path;
  panels_[2]->copy_label(path.c_str());
}

void TPmain::ResetDocument() {
  document_.Clear();
  document_.SetName(names::kProjectRoot);
}

bool TPmain::SaveProject(const std::string& path) {
  ViewToDocument();
  document_.SaveToFile(path);
  SetChanged(false);
  return true;
}

bool TPmain::LoadProject(const std::string& path) {
  TKelPigger loaded;
  try {
    loaded.LoadFromFile(path);
  } catch (...) {
    ui::CurrentDialogs().ShowMessage(kLoadingError, ui::MessageKind::Error);
    throw;
  }
  bool result = false;
  if (loaded.Name == names::kProjectRoot) {
    document_.Assign(loaded);
    SetChanged(false);
    result = DocumentToView();
  }
  if (!result) ui::CurrentDialogs().ShowMessage(kLoadingError, ui::MessageKind::Error);
  return result;
}

void TPmain::AskSaveChanges() {
  if (changed_ && ui::CurrentDialogs().AskYesNo("Save changes?")) PSaveClick();
}

std::string TPmain::MakeNewFileName() { return NewProjectFileName(projectsFolder_); }

bool TPmain::DocumentToView() {
  ClearView();
  return true;
}

void TPmain::FirstActivation() {
  PrepareDialogs();
  TPmain::PNewClick(false);
}

void TPmain::PNewClick(bool) {
  AskSaveChanges();
  ClearView();
  ResetDocument();
  SetFileName(MakeNewFileName());
  SetChanged(false);
}

void TPmain::POpenClick() {
  KeepCurrentFolder keep;
  AskSaveChanges();
  const std::vector<std::string> files = ui::CurrentDialogs().ChooseFilesToOpen(
      {"Open project", kProjectFilter, projectsFolder_, "", ".vxpr", false});
  if (!files.empty() && LoadProject(files.front())) SetFileName(files.front());
}

void TPmain::PSaveClick() {
  SaveProject(fileName_);
  SetChanged(false);
}

void TPmain::PSaveasClick() {
  KeepCurrentFolder keep;
  const auto file = ui::CurrentDialogs().ChooseFileToSave(
      {"Save project as", kProjectFilter, projectsFolder_, "", ".vxpr", false});
  if (!file) return;
  SetFileName(*file);
  PSaveClick();
}

void TPmain::PExitClick() { FormClose(); }

void TPmain::FormClose() {
  AskSaveChanges();
  hide();
}

}  // namespace vx::builder
