// The main window's side of the password, extraction and wallpaper dialog.
#include <FL/Fl.H>

#include <filesystem>
#include <utility>

#include "document/vocabulary.h"
#include "extraction.h"
#include "main_window.h"
#include "picture/bmp_codec.h"
#include "picture/canvas.h"
#include "picture/resample.h"
#include "platform/files.h"
#include "platform/ui_scale.h"
#include "platform/wallpaper.h"
#include "pointers/pointer_drawing.h"
#include "protection/protected_areas.h"
#include "ui/dialogs.h"
#include "ui/window_placement.h"

namespace vx::viewer {
namespace {

namespace n = names;

constexpr int kExtractQuality = 90;

}  // namespace

Extracted ExtractFrame(const ArchiveSession& session, const TKelPigger& frame,
                       const std::string& target, const ExtractionOptions& options) {
  const TKelPigger* pointers = frame.FindChild(n::kPointers);
  const bool drawPointers = pointers && options.applyPointers;
  const bool restores = !options.areas.OpensNothing() && HasProtectedAreas(frame);
  std::error_code made;
  std::filesystem::create_directories(std::filesystem::path(target).parent_path(), made);
  if (made) return {false, PlainReason(made)};
  try {
    if (!drawPointers && !restores) {
      // Nothing to draw: the stored JPEG file goes out as it is, without another encoding.
      const auto bytes = session.FramePictureBytes(frame.GetAttr(n::kFrameId));
      if (!bytes || !LooksLikeJpeg(*bytes)) return {false, kPictureMissing};
      WriteFileAtomically(target, *bytes);
      return {true, ""};
    }
    auto picture = session.DecodeFramePicture(frame, JpegScale::Full, options.areas);
    if (!picture) return {false, kPictureMissing};
    if (drawPointers) {
      DrawPointersOnPicture(*pointers, *picture, [&options](const TKelPigger& element) {
        return PointerVisible(&element, options.pointersDown, options.locked);
      });
    }
    // A file that cannot be written is tried again at lower qualities, never below 1.
    int quality = kExtractQuality;
    std::error_code reason;
    for (int step = 0; step <= 80;) {
      try {
        if (auto encoded = EncodeJpeg(*picture, quality)) {
          WriteFileAtomically(target, *encoded);
          return {true, ""};
        }
      } catch (const FileError& e) {
        reason = e.Reason;
      }
      step += 5;
      quality = std::max(1, quality - step);
    }
    return {false, reason ? PlainReason(reason) : "it could not be made into a JPEG file"};
  } catch (const FileError& e) {
    return {false, PlainReason(e.Reason)};
  } catch (const std::exception&) {
    return {false, "there was not enough memory for it"};
  }
}

PointerFilter TFmain::VisibilityRule() const {
  return [this](const TKelPigger& element) { return PointerVisible(&element); };
}

void TFmain::Image_keyClick() {
  if (passwordCheck_.Running()) return;  // one check at a time
  const TKelPigger& root = session_.Document();
  const bool confirmed = actions_->AskPassword(root.GetAttr(n::kPasswordLinkText),
                                               root.GetAttr(n::kPasswordLinkAddress));
  const std::string typed = PasswordText();
  actions_->PasswordBox().value("");
  // Only a verified password opens areas; a cancelled entry keeps none (the next rebuild
  // locks again).
  areaLock_ = {};
  ahead_.Clear();
  restore_.reset();
  if (!confirmed) return;
  key_->deactivate();
  checking_->show();
  controls_->redraw();
  passwordCheck_.Start(
      session_.Password(), typed,
      [this](PasswordCheck check, const AreaLock& areas) { AnswerPasswordCheck(check, areas); });
}

void TFmain::AnswerPasswordCheck(PasswordCheck check, const AreaLock& areas) {
  checking_->hide();
  key_->activate();
  areaLock_ = areas;
  ahead_.Clear();
  SetLocked(check != PasswordCheck::Right);
  ScheduleLoad();
  switch (check) {
    case PasswordCheck::Right:
      RestoreThumbnails();
      return;
    case PasswordCheck::Wrong:
      ui::CurrentDialogs().ShowMessage(kWrongPassword, ui::MessageKind::Warning);
      return;
    case PasswordCheck::OutOfMemory:
      ui::CurrentDialogs().ShowMessage(kNoMemoryForCheck, ui::MessageKind::Error);
      return;
    case PasswordCheck::Refused:
      ui::CurrentDialogs().ShowMessage(kPasswordRefused, ui::MessageKind::Error);
      return;
  }
}

void TFmain::RestoreThumbnails() {
  struct Item {
    std::string id;
    std::shared_ptr<const TKelPigger> frame;
  };
  auto items = std::make_shared<std::vector<Item>>();
  for (int k = 0; k < strip_->TileCount(); ++k) {
    const std::string& id = strip_->TileAt(k)->Id;
    const TKelPigger* frame = session_.FrameById(id);
    if (!frame || !HasProtectedAreas(*frame)) continue;
    auto copy = std::make_shared<TKelPigger>();
    copy->Assign(*frame);
    items->push_back({id, std::move(copy)});
  }
  using Thumbnail = std::shared_ptr<const Bitmap>;
  restore_ = std::make_unique<ui::OrderedWorkers<Thumbnail>>(
      items->size(), 1,
      [this, items, areas = areaLock_,
       box = strip::PictureBox(strip_->TileSizeNow(), strip_->StripMetrics())](
          size_t k) -> Thumbnail { return TileThumbnail(*(*items)[k].frame, box, areas); },
      [this, items](size_t k, Thumbnail& thumbnail) {
        ui::TO_img_item* tile = strip_->FindTileById((*items)[k].id);
        if (!tile || !thumbnail) return;
        tile->SetThumbnail(thumbnail);
        thumbnailCache_[tile->Id] = {tile->TileSize(), thumbnail};
      },
      // Every thumbnail of the cache now shows what this lock opens.
      [this, areas = areaLock_] { cacheLock_ = areas; });
}

void TFmain::SB_extractClick() {
  // Thumbnails still coming in are no reason to wait: they fill in behind the busy panel.
  if (extraction_ && extraction_->Running()) return;
  const Bitmap& picture = view_->Model().DecodedPicture();
  const bool allowed = WallpaperAllowed({picture.Width(), picture.Height()}, ui::ScreenSize());
  if (!actions_->AskExtraction(allowed)) return;
  if (actions_->Choice() == TD_dialog_actions::What::Wallpaper) {
    SetWallpaper();
  } else {
    Extract();
  }
}

std::vector<const TKelPigger*> TFmain::CollectFrames() const {
  std::vector<const TKelPigger*> frames;
  const TD_dialog_actions::What what = actions_->Choice();
  if (what == TD_dialog_actions::What::Current) {
    if (const ui::TO_img_item* tile = strip_->Current()) {
      if (const TKelPigger* frame = session_.FrameById(tile->Id)) frames.push_back(frame);
    }
    return frames;
  }
  const TKelPigger& root = session_.Document();
  for (const TKelPigger* frame = root.FindChild(n::kFrame); frame; frame = root.FindNext(frame)) {
    const ui::TO_img_item* tile = strip_->FindTileById(frame->GetAttr(n::kFrameId));
    if (what == TD_dialog_actions::What::All || (tile && tile->Checked())) frames.push_back(frame);
  }
  return frames;
}

void TFmain::Extract() {
  // Everything the workers need is taken now, so the window may change meanwhile.
  struct Work {
    std::string folder;
    std::vector<std::shared_ptr<const TKelPigger>> frames;
    std::vector<std::string> targets;
    ExtractionOptions options;
    std::vector<NotSaved> failed;
    int written = 0;
  };
  auto work = std::make_shared<Work>();
  work->options = {actions_->ApplyPointers(), areaLock_, pointersButton_->value() != 0, locked_};
  const auto frames = CollectFrames();
  std::vector<std::string> paths;
  for (const TKelPigger* frame : frames) {
    const std::string path = frame->GetAttr(n::kSourceFile);
    paths.push_back(actions_->UseRelativePaths() ? path : FileNameOf(path));
  }
  if (actions_->UseRelativePaths()) paths = RelativePaths(paths);
  std::error_code ec;
  const std::string typed = actions_->TargetFolder();
  work->folder = typed.empty() ? "" : std::filesystem::absolute(typed, ec).string();
  if (work->folder.empty()) {
    ui::CurrentDialogs().ShowMessage("Choose the folder to save the pictures to.",
                                     ui::MessageKind::Warning);
    return;
  }
  std::filesystem::create_directories(work->folder, ec);
  if (ec) {
    ui::CurrentDialogs().ShowMessage("No pictures were saved: the folder " + work->folder +
                                         " could not be made, as " + PlainReason(ec) + ".",
                                     ui::MessageKind::Error);
    return;
  }
  std::vector<std::string> targets;
  for (size_t k = 0; k < frames.size(); ++k) {
    auto copy = std::make_shared<TKelPigger>();
    copy->Assign(*frames[k]);
    targets.push_back(ExtractionTarget(work->folder, paths[k], copy->GetAttr(n::kFrameId)));
    work->frames.push_back(std::move(copy));
  }
  // Same names within the run are numbered; files already there are replaced only when the
  // user says so, and otherwise kept beside the new pictures, which are numbered past them.
  work->targets = targets;
  NumberTargets(work->targets, nullptr);
  std::vector<std::string> present;
  for (const std::string& target : work->targets) {
    if (std::filesystem::exists(target, ec)) present.push_back(target);
  }
  if (!present.empty() && ui::CurrentDialogs().AskYesNo(KeepQuestion(work->folder, present))) {
    work->targets = std::move(targets);
    NumberTargets(work->targets, [](const std::string& target) {
      std::error_code error;
      return std::filesystem::exists(target, error);
    });
  }

  progress_->size(0, progress_->h());
  ShowBusyPanel(true);
  const int step =
      work->frames.empty() ? 0 : Scaled(kProgressSpan) / static_cast<int>(work->frames.size());
  extraction_ = std::make_unique<ui::OrderedWorkers<Extracted>>(
      work->frames.size(), 1,
      [this, work](size_t k) {
        return ExtractFrame(session_, *work->frames[k], work->targets[k], work->options);
      },
      [this, work, step](size_t k, Extracted& result) {
        if (result.written) {
          ++work->written;
        } else {
          work->failed.push_back(
              {std::filesystem::path(work->targets[k]).lexically_relative(work->folder).string(),
               result.why.empty() ? "it could not be written" : result.why});
        }
        progress_->size(progress_->w() + step, progress_->h());
        loadingPanel_->redraw();
      },
      [this, work] { ExtractionEnded(work->folder, work->written, work->failed); });
}

void TFmain::ExtractionEnded(const std::string& folder, int written,
                             const std::vector<NotSaved>& failed) {
  ShowBusyPanel(false);
  ui::CurrentDialogs().ShowMessage(
      ExtractionReport(written, folder, failed),
      failed.empty() ? ui::MessageKind::Information : ui::MessageKind::Warning);
  if (rebuildPending_) Rebuild(*std::exchange(rebuildPending_, std::nullopt));
}

void TFmain::SetWallpaper() {
  if (!ui::CurrentDialogs().AskYesNo("Set current picture as wallpaper?")) return;
  const Size screen = ui::ScreenSize();
  Bitmap wallpaper(screen.width, screen.height);
  ResizeBilinear(view_->Model().DecodedPicture(), wallpaper);
  if (actions_->ApplyPointers()) {
    if (const ui::TO_img_item* tile = strip_->Current()) {
      const TKelPigger* frame = session_.FrameById(tile->Id);
      if (const TKelPigger* pointers = frame ? frame->FindChild(n::kPointers) : nullptr) {
        Canvas canvas(wallpaper);
        DrawPointers(*pointers, canvas, VisibilityRule());
      }
    }
  }
  const std::string path = WallpaperPath();
  try {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteFileAtomically(path, EncodeBmp(wallpaper));
  } catch (const std::exception& e) {
    ui::CurrentDialogs().ShowMessage(e.what(), ui::MessageKind::Error);
    return;
  }
  if (SetDesktopWallpaper(path)) {
    ui::CurrentDialogs().ShowMessage("Wallpaper has been set", ui::MessageKind::Information,
                                     "Done");
  } else {
    ui::CurrentDialogs().ShowMessage(
        "The wallpaper could not be set: this desktop is not one whose wallpaper "
        "Vellumax knows how to set. The picture is saved as " +
            path,
        ui::MessageKind::Warning);
  }
}

}  // namespace vx::viewer
