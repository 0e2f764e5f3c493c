// The main window's commands, and the operations every change of the project goes through.
#include <FL/Fl.H>

#include <filesystem>

#include "archive/archive_maker.h"
#include "document/project.h"
#include "document/property_text.h"
#include "document/vocabulary.h"
#include "formats/picture_file.h"
#include "main_window.h"
#include "picture/icon.h"
#include "platform/current_folder.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "pointers/pointer_record.h"
#include "text/text_case.h"
#include "ui/dialogs.h"

namespace vx::builder {
namespace {

namespace n = names;

constexpr double kWatchSeconds = 0.2;

bool IsProjectFile(const std::string& path) {
  return AsciiUpper(std::filesystem::path(path).extension().string()) == ".VXPR";
}

}  // namespace

// --- Changes of the project ---

void TFmain::AddPictures(const std::vector<std::string>& files, int at) {
  if (files.empty()) return;
  std::vector<FrameRecord> frames;
  for (const std::string& file : files)
    frames.push_back({NewId(), file, std::filesystem::path(file).filename().string(), "", ""});
  addingPictures_ = true;
  FillStrip(std::move(frames), TileFill::Unreadable::Skip, at, [this] {
    addingPictures_ = false;
    if (fill_->Added().empty()) return;
    RecordStep();
    strip_->SelectTile(fill_->Added().back());
  });
}

void TFmain::DeleteTiles(const std::vector<ui::TO_img_item*>& tiles) {
  if (tiles.empty()) return;
  // The frame's edits stay with their tile, which may be one that is kept.
  StorePointers();
  ClearFrame();
  strip_->HideTiles();
  for (ui::TO_img_item* tile : tiles) strip_->DeleteTileAt(strip_->IndexOfTile(tile));
  strip_->ShowTiles();
  strip_->SelectTile(nullptr);
  RecordStep();
}

void TFmain::TilesReordered() { RecordStep(); }

void TFmain::SetStripWidth(int width) {
  const int before = strip_->w();
  ResizeStrip(width);
  if (strip_->w() == before) return;
  RecordStep();
  if (strip_->TileCount() == 0) return;
  // Tiles of the new size, decoded again on every core; the current one stays current.
  const std::string current = strip_->Current() ? strip_->Current()->Id : "";
  std::vector<FrameRecord> frames = FramesOfView();
  strip_->ClearTiles();
  FillStrip(std::move(frames), TileFill::Unreadable::Placeholder, -1,
            [this, current] { strip_->SelectTile(strip_->FindTileById(current)); });
}

void TFmain::PointersChanged() {
  // Kept with the tile at once, so the step holds it; the view stays where it is.
  if (ui::TO_img_item* tile = strip_->FindTileById(framesTile_))
    tile->PointersText = frame_->CurrentPointersText();
  RecordStep();
}

void TFmain::SetProperties(const ProjectProperties& properties) {
  properties_ = properties;
  RecordStep();
}

void TFmain::SetFieldsText(ui::TO_img_item& tile, const std::string& text) {
  tile.FieldsText = text;
  RecordStep();
}

// --- Commands ---

void TFmain::PAddpictureClick() {
  KeepCurrentFolder keep;
  const std::vector<std::string> files = ui::CurrentDialogs().ChooseFilesToOpen(
      {"Add picture", PictureFilePattern() + "\nAll files\t*",
       forms_.settings.User().FolderPath(UserFolder::Source), "", "", true});
  AddPictures(files);
}

void TFmain::PDeletepictureClick() {
  ui::TO_img_item* current = strip_->Current();
  if (!strip_->AnyTileChecked()) {
    if (current && forms_.sure.Ask("Delete current picture from the project?"))
      DeleteTiles({current});
    return;
  }
  TFsure_del& ask = forms_.sureDel;
  ask.RB_current().activate();
  if (!current) {
    ask.RB_current().deactivate();
    ask.RB_checked().setonly();
  }
  const int answer = ask.AskDelete("Delete picture(s) from the project?");
  if (answer == 0 && current) {
    DeleteTiles({current});
  } else if (answer == 1) {
    std::vector<ui::TO_img_item*> checked;
    for (int index = 0; index < strip_->TileCount(); ++index) {
      if (strip_->TileAt(index)->Checked()) checked.push_back(strip_->TileAt(index));
    }
    DeleteTiles(checked);
  }
}

void TFmain::PFieldsanddescriptionClick() {
  ui::TO_img_item* tile = strip_->Current();
  if (!tile) return;
  forms_.fields.SourcePicture = tile->SourceFile;
  std::string text = tile->FieldsText;
  if (forms_.fields.EditText(text)) SetFieldsText(*tile, text);
}

void TFmain::PPrjClick() {
  const std::string folder = forms_.settings.User().FolderPath(UserFolder::Output);
  ProjectProperties properties = properties_;
  properties.outputFile =
      NormalisedOutputFile(properties.outputFile, properties.outputKind, folder, FileName());
  std::string text = PropertyTextOf(properties);
  if (!forms_.editPrj.EditText(text)) return;
  ApplyPropertyText(text, properties);
  properties.outputFile =
      NormalisedOutputFile(properties.outputFile, properties.outputKind, folder, FileName());
  SetProperties(properties);
}

void TFmain::POptionsClick() { forms_.settings.Execute(); }

void TFmain::PBuildonlyClick() { Make(false); }

void TFmain::PBuildandrunClick() { Make(true); }

bool TFmain::Make(bool run) {
  madeFlag_ = false;
  AskSaveChanges();
  // The archive is made from the project as last saved.
  const TKelPigger& document = Document();
  if (FramesOfProject().empty()) {
    forms_.msg.ShowText("No files to add to arhive.");
    return false;
  }
  if (!FileExists(ViewerPath)) {
    forms_.msg.ShowText("No project compiller found.");
    return false;
  }
  const std::string kind = document.GetAttr(n::kOutputKind);
  if (kind != "0" && kind != "1" && kind != "2") {
    forms_.msg.ShowText("Wrong output type");
    return false;
  }
  const ProjectProperties saved = ReadProperties(document);
  auto made = DocumentForMaking(document, saved.password, ProtectionOf(document));
  MakeOptions options;
  options.viewerPath = ViewerPath;
  options.exportFolder = forms_.settings.User().FolderPath(UserFolder::Export);
  options.areas = made.areas;
  options.onPicture = PointerDrawingFor(*made.document);
  // The icon of the saved project, as the rest of the archive.
  try {
    options.mainIcon = IconFromText(document.GetAttr(n::kIcon));
  } catch (const std::exception&) {
    // An icon that cannot be read leaves the viewer's own.
  }
  const std::string output = OutputPathOf(*made.document);
  making_ = true;
  UpdateCommands();
  forms_.run.Start(*made.document, std::move(options), [this, run, kind, output](bool result) {
    making_ = false;
    madeFlag_ = result && kind == "0";  // only an executable archive can be run
    if (quickMode_) {
      // "Run ZRV after exit": the archive is left running when the builder ends.
      if (run && madeFlag_) StartProgram(output, {});
      FormClose();
      return;
    }
    if (run && madeFlag_) {
      RunArchive(output);
    } else {
      Idle();
    }
  });
  return true;
}

void TFmain::RunArchive(const std::string& path) {
  objectsWereShown_ = forms_.objects.visible();
  forms_.objects.hide();
  archive_ = std::make_unique<WatchedProgram>(path, std::vector<std::string>{});
  if (archive_->Ended()) {
    archive_.reset();
    if (objectsWereShown_) forms_.objects.show();
    Idle();
    return;
  }
  // The window keeps painting while the archive runs; the commands wait for its end.
  running_ = true;
  UpdateCommands();
  Fl::add_timeout(kWatchSeconds, WatchArchive, this);
}

void TFmain::WatchArchive(void* data) {
  auto* window = static_cast<TFmain*>(data);
  if (!window->archive_->Ended()) {
    Fl::repeat_timeout(kWatchSeconds, WatchArchive, data);
    return;
  }
  window->archive_.reset();
  window->running_ = false;
  if (window->objectsWereShown_) window->forms_.objects.show();
  window->Idle();
}

void TFmain::PObjectsClick() { forms_.objects.show(); }

void TFmain::O_img_frame1Image1MouseDown(Point at, int button) {
  TF_objects_ff& objects = forms_.objects;
  // Not on the placeholder while a picture is on its way.
  if (!objects.visible() || objects.ActionMode() != 0 || framesTile_.empty()) return;
  const UserSettings& user = forms_.settings.User();
  frame_->AddPointer(
      at,
      NewPointer(objects.KindToAdd(),
                 "Some comment " + std::to_string(at.x) + ":" + std::to_string(at.y),
                 user.ColorOf(n::kDefaultTextColor), user.ColorOf(n::kDefaultPenColor),
                 user.ColorOf(n::kDefaultBrushColor)),
      true);
  OfferPassword(objects.KindToAdd());
}

void TFmain::PointerClicked(TMhint& pointer) {
  TF_objects_ff& objects = forms_.objects;
  if (!objects.visible()) {
    objects.show();
    if (objects.ActionMode() != 1) objects.SetActionMode(1);
    objects.redraw();
    return;
  }
  switch (objects.ActionMode()) {
    case 1:
      if (forms_.editObj.EditPointer(*frame_, pointer)) OfferPassword(pointer.Kind());
      break;
    case 2:
      // Asked once the click is over: the pointer must not go inside its own handling.
      pendingDeletion_ = frame_->StateOf(pointer).properties.objId;
      Fl::add_timeout(0, DeletionMessage, this);
      break;
    default:
      break;
  }
}

void TFmain::DeletionMessage(void* window) {
  auto* self = static_cast<TFmain*>(window);
  const std::string id = std::move(self->pendingDeletion_);
  self->pendingDeletion_.clear();
  TO_img_frame& frame = *self->frame_;
  for (int i = 0; i < frame.PointerCount(); ++i) {
    TMhint* pointer = frame.PointerAt(i);
    const PointerProperties properties = frame.StateOf(*pointer).properties;
    if (id.empty() || properties.objId != id) continue;
    if (self->forms_.sure.Ask("Delete the object labeled\n\"" + properties.label + "\" ?"))
      frame.RemovePointer(pointer, true);
    return;
  }
}

void TFmain::OfferPassword(int kind) {
  if (kind != static_cast<int>(PointerKind::Area) || !properties_.password.empty()) return;
  // Asked once the press or click is over, as the deletion is.
  if (!Fl::has_timeout(PasswordOffer, this)) Fl::add_timeout(0, PasswordOffer, this);
}

void TFmain::PasswordOffer(void* window) {
  auto* self = static_cast<TFmain*>(window);
  if (!self->properties_.password.empty()) return;
  if (!self->forms_.sure.Ask(
          "Protected areas need password to be unlocked.\nSet the password for the archive now?"))
    return;
  self->forms_.editPrj.SetActivePage(TF_edit_prj::Page::PasswordedAreas);
  self->PPrjClick();
}

void TFmain::PHelp1Click() { OpenWithDesktop(OwnProgramFolder() + "/../doc/help.htm"); }

void TFmain::PAboutClick() {
  ui::CurrentDialogs().ShowMessage(
      "Vellumax\n\nMakes self-contained picture archives: pictures with fields, descriptions, "
      "clouds, arrows and password-protected areas, in a program of their own.\n\nThe "
      "pictures of the tool bar come from the Tango icon set (public domain).",
      ui::MessageKind::Information, "About");
}

// --- Keys and drops ---

int TFmain::handle(int event) {
  switch (event) {
    case FL_SHOW:
      TPmain::handle(event);
      Fl::focus(this);
      return 1;
    case FL_FOCUS:
    case FL_UNFOCUS:
      return 1;
    case FL_KEYBOARD:
      // The strip's keys act on release; their presses must not move the focus.
      switch (Fl::event_key()) {
        case FL_Up:
        case FL_Down:
        case FL_Home:
        case FL_End:
        case FL_Page_Up:
        case FL_Page_Down:
          return 1;
        default:
          break;
      }
      break;
    case FL_SHORTCUT:
      // Redo's second key.
      if (Fl::event_key() == 'y' && Fl::event_state(FL_CTRL) && !Fl::event_state(FL_SHIFT)) {
        Redo();
        return 1;
      }
      break;
    case FL_KEYUP:
      if (!Busy() && strip_->HandleKey(Fl::event_key())) return 1;
      break;
    case FL_DND_ENTER:
    case FL_DND_DRAG:
    case FL_DND_LEAVE:
      return 1;
    case FL_DND_RELEASE: {
      dropAt_ = -1;
      if (Fl::event_inside(strip_)) {
        dropAt_ = strip_->TileCount();
        for (int index = 0; index < strip_->TileCount(); ++index) {
          const ui::TO_img_item* tile = strip_->TileAt(index);
          if (Fl::event_y() < tile->y() + tile->h() / 2) {
            dropAt_ = index;
            break;
          }
        }
      }
      return 1;
    }
    case FL_PASTE:
      Dropped(Fl::event_text() ? Fl::event_text() : "");
      return 1;
    default:
      break;
  }
  return TPmain::handle(event);
}

void TFmain::Dropped(const std::string& text) {
  if (Busy()) return;
  const std::vector<std::string> files = DroppedFiles(text);
  for (const std::string& file : files) {
    if (!IsProjectFile(file)) continue;
    AskSaveChanges();
    if (LoadProject(file)) SetFileName(file);
    return;
  }
  AddPictures(files, dropAt_);
}

}  // namespace vx::builder
