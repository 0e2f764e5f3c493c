// The main window's undo and redo, and the recovery file that keeps unsaved work through a
// crash. Every change of the project ends in RecordStep, one step per user action; undoing
// shows a state of the history again, touching only the tiles that differ.
#include <FL/Fl.H>

#include <filesystem>
#include <set>

#include "main_window.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/ui_scale.h"
#include "ui/dialogs.h"

namespace vx::builder {
namespace {

bool UniqueIds(const std::vector<std::string>& ids) {
  return std::set<std::string>(ids.begin(), ids.end()).size() == ids.size();
}

std::vector<std::string> IdsOf(const std::vector<FrameRecord>& frames) {
  std::vector<std::string> ids;
  for (const FrameRecord& frame : frames) ids.push_back(frame.id);
  return ids;
}

}  // namespace

ProjectState TFmain::StateOfView() const {
  return {properties_, UnscaledStripWidth(), FramesOfProject()};
}

void TFmain::RecordStep() {
  history_.Record(StateOfView());
  SetChanged(history_.Changed());
  UpdateCommands();
  if (history_.Changed() && !Fl::has_timeout(RecoveryTick, this))
    Fl::add_timeout(RecoverySeconds, RecoveryTick, this);
}

void TFmain::ProjectShown() {
  history_.Reset(StateOfView(), !openedAsChanged_);
  openedAsChanged_ = false;
  SetChanged(history_.Changed());
  // Recovered work is kept under this builder's own file before the one it came from goes.
  recovery_.Keep(history_, FileName());
  if (!adoptedRecovery_.empty() && adoptedRecovery_ != recovery_.Path() &&
      FileExists(recovery_.Path())) {
    std::error_code ec;
    std::filesystem::remove(adoptedRecovery_, ec);
  }
  adoptedRecovery_.clear();
  UpdateCommands();
}

void TFmain::RecoveryTick(void* data) {
  auto* window = static_cast<TFmain*>(data);
  window->recovery_.Keep(window->history_, window->FileName());
  if (window->history_.Changed()) Fl::repeat_timeout(window->RecoverySeconds, RecoveryTick, data);
}

void TFmain::Undo() {
  if (Busy() || !history_.CanUndo()) return;
  ShowState(*history_.Undo());
}

void TFmain::Redo() {
  if (Busy() || !history_.CanRedo()) return;
  ShowState(*history_.Redo());
}

void TFmain::ShowState(ProjectState state) {
  properties_ = std::move(state.properties);
  // A width the window cannot give (it was made narrower since) leaves the tiles as they are.
  const int before = strip_->w();
  if (state.stripWidth) ResizeStrip(Scaled(*state.stripWidth));
  const bool resized = strip_->w() != before;
  // Deleting tiles drops the selection; the current tile stays current when it is left.
  const std::string current = strip_->Current() ? strip_->Current()->Id : "";
  std::vector<std::string> shownIds;
  for (int index = 0; index < strip_->TileCount(); ++index)
    shownIds.push_back(strip_->TileAt(index)->Id);
  if (resized || !UniqueIds(shownIds) || !UniqueIds(IdsOf(state.frames))) {
    // Tiles of another size, or frames that only their places tell apart: all anew.
    strip_->ClearTiles();
    FillStrip(std::move(state.frames), TileFill::Unreadable::Placeholder, -1, [this, current] {
      RefreshFrame();
      StateShown(strip_->FindTileById(current));
    });
    return;
  }
  // Tiles the state has not, or has of another picture, go.
  std::vector<FrameRecord> missing;
  std::set<std::string> kept;
  for (const FrameRecord& frame : state.frames) {
    ui::TO_img_item* tile = strip_->FindTileById(frame.id);
    if (tile && tile->SourceFile == frame.sourceFile) kept.insert(frame.id);
  }
  for (int index = strip_->TileCount() - 1; index >= 0; --index) {
    if (!kept.count(strip_->TileAt(index)->Id)) strip_->DeleteTileAt(index);
  }
  // The others take the state's texts; the missing come back at the end, then all move to
  // their places.
  for (const FrameRecord& frame : state.frames) {
    ui::TO_img_item* tile = strip_->FindTileById(frame.id);
    if (!tile) {
      missing.push_back(frame);
      continue;
    }
    tile->SetFooter(frame.footer);
    tile->FieldsText = frame.fieldsText;
    tile->PointersText = frame.pointersText;
  }
  RefreshFrame();
  std::vector<std::string> order = IdsOf(state.frames);
  if (missing.empty()) {
    ArrangeTiles(order);
    StateShown(strip_->FindTileById(current));
    return;
  }
  // Pictures that come back become current, as when they were added.
  FillStrip(
      std::move(missing), TileFill::Unreadable::Placeholder, -1,
      [this, current, order = std::move(order)] {
        ArrangeTiles(order);
        StateShown(fill_->Added().empty() ? strip_->FindTileById(current) : fill_->Added().back());
      });
}

void TFmain::ArrangeTiles(const std::vector<std::string>& order) {
  // Moving tiles back into place is no reordering by the user.
  auto reorder = std::move(strip_->OnReorder);
  strip_->OnReorder = nullptr;
  for (size_t place = 0; place < order.size(); ++place) {
    ui::TO_img_item* tile = strip_->FindTileById(order[place]);
    const int at = static_cast<int>(place);
    if (tile && strip_->IndexOfTile(tile) != at) strip_->MoveTile(tile, strip_->TileAt(at));
  }
  strip_->OnReorder = std::move(reorder);
}

void TFmain::RefreshFrame() {
  // The picture stays; its pointers are taken again from the state, which leaves the frame
  // unchanged, so nothing of the state before is stored back into the tile.
  if (ui::TO_img_item* tile = strip_->FindTileById(framesTile_)) {
    frame_->LoadPointers(tile->PointersText);
  } else {
    ClearFrame();
  }
}

void TFmain::StateShown(ui::TO_img_item* current) {
  if (strip_->Current() != current) strip_->SelectTile(current);
  SetChanged(history_.Changed());
  UpdateCommands();
  redraw();
}

bool TFmain::OfferRecovery() {
  const std::string settings = forms_.settings.User().Layout().settingsFile;
  for (const Recovery& recovery : FindRecoveries(settings, OwnProcessId())) {
    if (!ui::CurrentDialogs().AskYesNo(RecoveryQuestion(recovery))) {
      std::error_code ec;
      std::filesystem::remove(recovery.path, ec);
      continue;
    }
    std::unique_ptr<TKelPigger> project;
    try {
      project = LoadRecoveredProject(recovery.path);
    } catch (const std::exception&) {
      ui::CurrentDialogs().ShowMessage("File loading error.", ui::MessageKind::Error);
      continue;
    }
    Document().Assign(*project);
    SetFileName(recovery.projectFile);
    openedAsChanged_ = true;
    adoptedRecovery_ = recovery.path;
    DocumentToView();
    return true;
  }
  return false;
}

}  // namespace vx::builder
