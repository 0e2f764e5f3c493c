#include "main_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>

#include <algorithm>
#include <filesystem>

#include "document/vocabulary.h"
#include "formats/picture_file.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/ui_scale.h"
#include "text/text_case.h"
#include "ui/dialogs.h"
#include "ui/scaled_layout.h"

namespace vx::builder {
namespace {

namespace n = names;

// Sizes at 96 dpi.
constexpr int kWidth = 1024, kHeight = 700;
constexpr int kMenuHeight = 25;
constexpr int kStripWidth = 200, kMinStripWidth = 100, kMinFrameWidth = 100;
constexpr int kSplitterWidth = 5;
// The JPEG quality a new project starts with.
constexpr int kNewProjectQuality = 65;
constexpr Fl_Color kFrameBackground = 0x91919100;  // red, green and blue 145
constexpr double kSelectSeconds = 0.2;

}  // namespace

TFmain::TFmain(Forms& forms)
    : TPmain(
          kWidth, kHeight, "Vellumax",
          ResolveFolder(forms.settings.User().Layout(), forms.settings.User().Layout().projects)),
      ViewerPath(OwnProgramFolder() + "/_vellumax"),
      forms_(forms),
      recovery_(RecoveryFilePath(forms.settings.User().Layout().settingsFile, OwnProcessId()),
                OwnProcessId()) {
  const int top = kMenuHeight + ToolBar::kHeight;
  const int bottom = kHeight - StatusBarHeight();
  menu_ = new Fl_Menu_Bar(0, 0, kWidth, kMenuHeight);
  BuildMenu();
  toolBar_ = new ToolBar(0, kMenuHeight, kWidth);
  BuildToolBar();
  strip_ = new ui::TO_img_items(0, top, kStripWidth, bottom - top);
  strip_->AllowReorder = true;
  strip_->OnReorder = [this](ui::TO_img_item*) { TilesReordered(); };
  strip_->OnCheckClick = [this](ui::TO_img_item*) { UpdateCommands(); };
  strip_->OnBeforeSelect = [this] { StorePointers(); };
  strip_->OnSelect = [this] {
    SelectionChanged();
    UpdateCommands();
  };
  // The bevelled bar moves freely (no snapping); the strip takes its new width when the bar
  // is let go.
  splitter_ = new ui::Splitter(FL_UP_BOX, kStripWidth, top, kSplitterWidth, bottom - top);
  splitter_->OnDrag = [this](int left) {
    splitter_->position(std::clamp(left, strip_->x() + Scaled(kMinStripWidth),
                                   std::max(strip_->x() + Scaled(kMinStripWidth),
                                            w() - splitter_->w() - Scaled(kMinFrameWidth))),
                        splitter_->y());
    redraw();
  };
  splitter_->OnRelease = [this] { SetStripWidth(splitter_->x() - strip_->x()); };
  frame_ = new TO_img_frame(kStripWidth + kSplitterWidth, top,
                            kWidth - kStripWidth - kSplitterWidth, bottom - top);
  frame_->Area().color(kFrameBackground);
  frame_->OnPictureMouseDown = [this](Point at, int button) {
    O_img_frame1Image1MouseDown(at, button);
  };
  frame_->OnPointerClick = [this](TMhint& pointer) { PointerClicked(pointer); };
  frame_->OnPointerChange = [this](const PointerChange&) { PointersChanged(); };
  forms_.editPrj.OnCurrentPicture([this] { return CurrentPicture(); });
  end();
  resizable(frame_);
  size_range(400, 300);
  ui::ScaleWidgetTree(*this);
  // The strip lays out its own tiles at the desktop's scale.
  strip_->resize(strip_->x(), strip_->y(), strip_->w(), strip_->h());
  UpdateCommands();
}

TFmain::~TFmain() {
  Fl::remove_timeout(WatchArchive, this);
  Fl::remove_timeout(SelectTick, this);
  Fl::remove_timeout(DeletionMessage, this);
  Fl::remove_timeout(PasswordOffer, this);
  Fl::remove_timeout(RecoveryTick, this);
  fill_.reset();
}

void TFmain::BuildMenu() {
  struct Entry {
    const char* path;
    int shortcut;
    void (*run)(TFmain&);
    int flags;
  };
  static const Entry kEntries[] = {
      {"File/New project...", FL_CTRL + 'n', [](TFmain& w) { w.PNewClick(true); }, 0},
      {"File/Open project", FL_CTRL + 'o', [](TFmain& w) { w.POpenClick(); }, 0},
      {"File/Save", FL_CTRL + 's', [](TFmain& w) { w.PSaveClick(); }, 0},
      {"File/Save project as...", FL_CTRL + FL_SHIFT + 's', [](TFmain& w) { w.PSaveasClick(); },
       FL_MENU_DIVIDER},
      {"File/Exit", FL_CTRL + 'q', [](TFmain& w) { w.PExitClick(); }, 0},
      {"Edit/Undo", FL_CTRL + 'z', [](TFmain& w) { w.Undo(); }, 0},
      {"Edit/Redo", FL_CTRL + FL_SHIFT + 'z', [](TFmain& w) { w.Redo(); }, FL_MENU_DIVIDER},
      {"Edit/Project properties", 0, [](TFmain& w) { w.PPrjClick(); }, FL_MENU_DIVIDER},
      {"Edit/Add picture", FL_Insert, [](TFmain& w) { w.PAddpictureClick(); }, 0},
      {"Edit/Delete picture", FL_Delete, [](TFmain& w) { w.PDeletepictureClick(); },
       FL_MENU_DIVIDER},
      {"Edit/Fields and description", 0, [](TFmain& w) { w.PFieldsanddescriptionClick(); }, 0},
      {"Edit/Objects...", 0, [](TFmain& w) { w.PObjectsClick(); }, FL_MENU_DIVIDER},
      {"Edit/Options...", 0, [](TFmain& w) { w.POptionsClick(); }, 0},
      {"Make/Make Archive", FL_F + 9, [](TFmain& w) { w.PBuildonlyClick(); }, 0},
      {"Make/Make ZRV and run it", 0, [](TFmain& w) { w.PBuildandrunClick(); }, 0},
      {"Help/Help", FL_F + 1, [](TFmain& w) { w.PHelp1Click(); }, FL_MENU_DIVIDER},
      {"Help/About", 0, [](TFmain& w) { w.PAboutClick(); }, 0},
  };
  for (const Entry& entry : kEntries) {
    menu_->add(
        entry.path, entry.shortcut,
        [](Fl_Widget* menu, void* data) {
          auto* window = static_cast<TFmain*>(menu->window());
          auto run = reinterpret_cast<void (*)(TFmain&)>(data);
          if (run) run(*window);
        },
        reinterpret_cast<void*>(entry.run), entry.flags | (entry.run ? 0 : FL_MENU_INACTIVE));
  }
}

void TFmain::BuildToolBar() {
  toolBar_->begin();
  toolBar_->Add("New", Picture::ToolNew, [this] { PNewClick(true); });
  toolBar_->Add("Open", Picture::ToolOpen, [this] { POpenClick(); });
  toolBar_->Add("Save", Picture::ToolSave, [this] { PSaveClick(); });
  toolBar_->AddSeparator();
  toolBar_->Add("Undo", Picture::ToolUndo, [this] { Undo(); });
  toolBar_->Add("Redo", Picture::ToolRedo, [this] { Redo(); });
  toolBar_->AddSeparator();
  toolBar_->Add("Add.Pict.", Picture::ToolAdd, [this] { PAddpictureClick(); });
  toolBar_->Add("Del.Pict.", Picture::ToolDelete, [this] { PDeletepictureClick(); });
  toolBar_->Add("Objects", Picture::ToolObjects, [this] { PObjectsClick(); });
  toolBar_->Add("Fields", Picture::ToolFields, [this] { PFieldsanddescriptionClick(); });
  toolBar_->Add("Project", Picture::ToolProject, [this] { PPrjClick(); });
  toolBar_->AddSeparator();
  toolBar_->Add("Run", Picture::ToolRun, [this] { PBuildandrunClick(); });
  toolBar_->Add("Exit", Picture::ToolExit, [this] { PExitClick(); });
  toolBar_->AddSeparator();
  toolBar_->end();
}

const Fl_Menu_Item* TFmain::MenuItem(const char* path) const { return menu_->find_item(path); }

void TFmain::SetMenuActive(const char* path, bool active) {
  auto* item = const_cast<Fl_Menu_Item*>(menu_->find_item(path));
  if (!item) return;
  if (active) {
    item->activate();
  } else {
    item->deactivate();
  }
}

bool TFmain::Busy() const { return busy_ || making_ || running_ || (fill_ && fill_->Running()); }

void TFmain::UpdateCommands() {
  const bool idle = !Busy();
  const bool current = strip_->Current() != nullptr;
  const bool executable = properties_.outputKind == "0";
  for (const char* menu : {"File", "Edit", "Make", "Help"}) SetMenuActive(menu, idle);
  SetMenuActive("Edit/Delete picture", current);
  SetMenuActive("Edit/Fields and description", current);
  SetMenuActive("Make/Make ZRV and run it", executable);
  SetMenuActive("Edit/Objects...", current);
  SetMenuActive("Edit/Undo", history_.CanUndo());
  SetMenuActive("Edit/Redo", history_.CanRedo());
  menu_->redraw();
  if (idle) {
    toolBar_->activate();
  } else {
    toolBar_->deactivate();
  }
  auto enable = [this](const char* caption, bool on) {
    ToolButton* button = toolBar_->Find(caption);
    if (on) {
      button->activate();
    } else {
      button->deactivate();
    }
  };
  enable("Del.Pict.", current || strip_->AnyTileChecked());
  enable("Run", executable);
  enable("Undo", history_.CanUndo());
  enable("Redo", history_.CanRedo());
  enable("Fields", current);
  enable("Objects", current);
  splitter_->activate();
  if (!idle) splitter_->deactivate();
}

void TFmain::SetBusy(bool busy) {
  busy_ = busy;
  if (busy) {
    strip_->HideTiles();
    frame_->hide();
    forms_.working.StartBusy("loading...");
  } else {
    forms_.working.StopBusy();
    frame_->show();
    strip_->ShowTiles();
  }
  strip_->Busy = busy;
  UpdateCommands();
}

void TFmain::FillStrip(std::vector<FrameRecord> frames, TileFill::Unreadable unreadable, int at,
                       std::function<void()> done) {
  fill_.reset();
  SetBusy(true);
  fill_ = std::make_unique<TileFill>(*strip_, std::move(frames), unreadable, at,
                                     [this, done = std::move(done)] {
                                       SetBusy(false);
                                       done();
                                       Idle();
                                     });
}

void TFmain::Idle() {
  UpdateCommands();
  if (OnIdle) OnIdle();
}

std::vector<FrameRecord> TFmain::FramesOfView() const {
  std::vector<FrameRecord> frames;
  for (int index = 0; index < strip_->TileCount(); ++index) {
    const ui::TO_img_item& tile = *strip_->TileAt(index);
    frames.push_back({tile.Id, tile.SourceFile, tile.Footer(), tile.FieldsText, tile.PointersText});
  }
  // A project still loading keeps the frames whose tiles are yet to come.
  if (fill_ && fill_->Running() && !addingPictures_) {
    for (FrameRecord& frame : fill_->Pending()) frames.push_back(std::move(frame));
  }
  return frames;
}

// --- Project life cycle ---

void TFmain::PrepareDialogs() {}

void TFmain::ClearView() {
  fill_.reset();
  strip_->ClearTiles();
  ClearFrame();
}

bool TFmain::DocumentToView() {
  TPmain::DocumentToView();
  ShowActivity("Loading...");
  if (const auto width = StripWidthOf(Document())) {
    ResizeStrip(Scaled(*width));
  }
  properties_ = ReadProperties(Document());
  if (quickMode_) {
    // Nothing is shown: the archive is made from the frames as they are, and the window closes.
    quickFrames_.clear();
    for (const FrameRecord& frame : ReadFrames(Document()))
      quickFrames_.push_back({frame.id, frame.sourceFile, "", "", ""});
    SetChanged(false);
    UpdateCommands();
    return true;
  }
  FillStrip(ReadFrames(Document()), TileFill::Unreadable::Placeholder, -1, [this] {
    ProjectShown();
    if (!fill_->Unread().empty()) {
      std::string text = "These pictures were not found or cannot be read:";
      for (const std::string& file : fill_->Unread()) text += "\n" + file;
      forms_.msg.ShowText(text);
    }
  });
  return true;
}

void TFmain::ViewToDocument() {
  StorePointers();
  const ProjectState state = StateOfView();
  WriteProject(Document(), state.properties, state.stripWidth, state.frames);
}

void TFmain::FirstActivation() {
  TPmain::FirstActivation();
  // The objects window stays near the screen's top right corner.
  int sx = 0, sy = 0, sw = 0, sh = 0;
  Fl::screen_work_area(sx, sy, sw, sh);
  forms_.objects.position(sx + sw - forms_.objects.w() - Scaled(25), sy + Scaled(25));
  forms_.settings.User().CreateFolders();
  PNewClick(false);
}

void TFmain::Start(const std::string& commandLineProject) {
  FirstActivation();
  if (OfferRecovery()) return;
  if (!commandLineProject.empty()) {
    const std::string path = std::filesystem::absolute(commandLineProject).string();
    if (LoadProject(path)) SetFileName(path);
    return;
  }
  const UserSettings& user = forms_.settings.User();
  switch (forms_.start.Execute(!user.LastProject().empty())) {
    case TFstart::OpenProject:
      POpenClick();
      break;
    case TFstart::LastProject: {
      const std::string last = user.LastProject();
      if (last.empty()) break;
      if (LoadProject(last)) {
        SetFileName(last);
      } else {
        PNewClick(true);
      }
      break;
    }
    default:
      PNewClick(true);
      break;
  }
}

void TFmain::PNewClick(bool byUser) {
  TPmain::PNewClick(byUser);
  properties_ = {};
  quickMode_ = false;
  quickFrames_.clear();
  if (byUser) {
    properties_.pointersInZip = "0";
    properties_.outputFile = NormalisedOutputFile(
        "", "0", forms_.settings.User().FolderPath(UserFolder::Output), FileName());
    properties_.jpegQuality = std::to_string(kNewProjectQuality);
  }
  ProjectShown();
  if (byUser) RunNewProjectWizard();
}

void TFmain::RunNewProjectWizard() {
  TW_new_prj& wizard = forms_.wizard;
  const UserSettings& user = forms_.settings.User();
  wizard.Inputs = {properties_.outputFile, user.FolderPath(UserFolder::Output),
                   user.FolderPath(UserFolder::Source), kNewProjectQuality};
  if (!wizard.RunWizard()) return;
  quickMode_ = wizard.EasyChosen();
  Document().LoadFromText(wizard.Result().SaveToText());
  Document().SetName(names::kProjectRoot);
  SetChanged(true);
  DocumentToView();
  PSaveClick();
  if (!quickMode_) return;
  // The program ends after the make, also when the make fails or cannot start.
  if (!Make(wizard.RunAfterExit())) FormClose();
}

std::vector<FrameRecord> TFmain::FramesOfProject() const {
  return quickMode_ ? quickFrames_ : FramesOfView();
}

void TFmain::PSaveClick() {
  TPmain::PSaveClick();
  history_.MarkSaved();
  recovery_.Keep(history_, FileName());
  UpdateCommands();
}

void TFmain::PSaveasClick() { TPmain::PSaveasClick(); }

void TFmain::FormClose() {
  forms_.settings.User().SetLastProject(FileName());
  TPmain::FormClose();
  // Saved, or left unsaved on purpose.
  Fl::remove_timeout(RecoveryTick, this);
  recovery_.Remove();
  // Left open, the objects window would keep the program running.
  forms_.objects.hide();
}

// --- Layout ---

void TFmain::resize(int x, int y, int w, int h) {
  const bool sized = w != this->w() || h != this->h();
  TPmain::resize(x, y, w, h);
  // The picture is placed again for the new size, its pointers kept.
  if (sized && strip_->Current()) SelectionChanged();
  // The strip keeps its width; the frame takes what is left.
  if (strip_->x() + strip_->w() + splitter_->w() + Scaled(kMinFrameWidth) > w) {
    ResizeStrip(std::max(Scaled(kMinStripWidth), w - splitter_->w() - Scaled(kMinFrameWidth)));
  }
}

void TFmain::ResizeStrip(int width) {
  width =
      std::clamp(width, Scaled(kMinStripWidth),
                 std::max(Scaled(kMinStripWidth), w() - splitter_->w() - Scaled(kMinFrameWidth)));
  const int top = strip_->y(), height = strip_->h();
  strip_->resize(strip_->x(), top, width, height);
  splitter_->resize(strip_->x() + width, top, splitter_->w(), height);
  const int frameLeft = splitter_->x() + splitter_->w();
  frame_->resize(frameLeft, top, w() - frameLeft, height);
  init_sizes();
  redraw();
}

int TFmain::UnscaledStripWidth() const {
  return static_cast<int>(std::lround(strip_->w() / ScaleFactor()));
}

// --- The current picture ---

void TFmain::SelectionChanged() {
  ++pendingSelections_;
  if (!Fl::has_timeout(SelectTick, this)) Fl::add_timeout(kSelectSeconds, SelectTick, this);
}

void TFmain::SelectTick(void* window) { static_cast<TFmain*>(window)->Timer_select_itemTimer(); }

void TFmain::Timer_select_itemTimer() {
  if (--pendingSelections_ > 0) {
    Fl::repeat_timeout(kSelectSeconds, SelectTick, this);
    return;
  }
  pendingSelections_ = 0;
  if (ui::TO_img_item* tile = strip_->Current()) ShowTile(*tile);
  UpdateCommands();
}

void TFmain::ShowTile(const ui::TO_img_item& tile) {
  if (tile.Id == framesTile_) {
    // The same picture (after a resize, say): placed anew, its pointers as they are.
    frame_->CenterPicture();
    if (OnPictureShown) OnPictureShown();
    return;
  }
  StorePointers();
  ClearFrame();
  // Read on a worker, so a large photo never stops the window; the placeholder meanwhile.
  // Upright, as the archive will carry it, so the pointers stand where they will be shown.
  pictureWork_.Start([this, id = tile.Id, path = tile.SourceFile]() -> std::function<void()> {
    std::shared_ptr<Bitmap> picture;
    try {
      picture = std::make_shared<Bitmap>(LoadPictureFile(path));
    } catch (const std::exception&) {
      // A missing or unreadable picture leaves the placeholder, with the tile's pointers.
    }
    return [this, id, picture] { PictureRead(id, picture); };
  });
}

void TFmain::PictureRead(const std::string& id, const std::shared_ptr<Bitmap>& picture) {
  ui::TO_img_item* tile = strip_->Current();
  if (!tile || tile->Id != id) return;  // another tile is on its way, or none
  framePictureRead_ = picture && !picture->Empty();
  if (framePictureRead_) frame_->ShowBitmap(std::move(*picture));
  frame_->LoadPointers(tile->PointersText);
  framesTile_ = id;
  if (OnPictureShown) OnPictureShown();
  UpdateCommands();
}

void TFmain::ClearFrame() {
  pictureWork_.Cancel();
  frame_->Clear();
  framesTile_.clear();
  framePictureRead_ = false;
}

const Bitmap* TFmain::CurrentPicture() const {
  const ui::TO_img_item* tile = strip_->Current();
  if (!tile) return nullptr;
  if (framePictureRead_ && tile->Id == framesTile_) return &frame_->Picture();
  return tile->Thumbnail().get();
}

void TFmain::StorePointers() {
  if (!frame_->Changed()) return;
  if (ui::TO_img_item* tile = strip_->FindTileById(framesTile_))
    tile->PointersText = frame_->PointersText();
}

}  // namespace vx::builder
