// The main window's side of the password, extraction and wallpaper dialog.
#include <FL/Fl.H>

#include <filesystem>

#include "document/vocabulary.h"
#include "extraction.h"
#include "main_window.h"
#include "picture/bmp_codec.h"
#include "picture/canvas.h"
#include "picture/resample.h"
#include "platform/files.h"
#include "platform/wallpaper.h"
#include "pointers/pointer_drawing.h"
#include "protection/cipher.h"
#include "ui/dialogs.h"

namespace vx::viewer {
namespace {

namespace n = names;

constexpr int kExtractQuality = 90;

}  // namespace

PointerFilter TFmain::VisibilityRule() const {
  return [this](const TKelPigger& element) { return PointerVisible(&element); };
}

void TFmain::Image_keyClick() {
  const TKelPigger& root = session_.Document();
  if (!actions_->AskPassword(root.GetAttr(n::kPasswordLinkText),
                             root.GetAttr(n::kPasswordLinkAddress)))
    return;
  // A wrong password says nothing: the archive stays locked.
  SetLocked(IsLocked(session_.PasswordDigest(), PasswordText()));
  Fl::check();
  ScheduleLoad();
}

void TFmain::SB_extractClick() {
  const Bitmap& picture = view_->Model().DecodedPicture();
  const bool allowed = WallpaperAllowed({picture.Width(), picture.Height()}, {Fl::w(), Fl::h()});
  if (!actions_->AskExtraction(allowed)) return;
  if (actions_->Choice() == TD_dialog_actions::What::Wallpaper) {
    SetWallpaper();
  } else {
    Extract();
  }
}

std::vector<std::pair<std::string, const TKelPigger*>> TFmain::CollectFrames() const {
  std::vector<std::pair<std::string, const TKelPigger*>> frames;
  const TD_dialog_actions::What what = actions_->Choice();
  if (what == TD_dialog_actions::What::Current) {
    if (const ui::TO_img_item* tile = strip_->Current()) {
      if (const TKelPigger* frame = session_.FrameById(tile->Id))
        frames.emplace_back(frame->GetAttr(n::kSourceFile), frame);
    }
    return frames;
  }
  const TKelPigger& root = session_.Document();
  for (const TKelPigger* frame = root.FindChild(n::kFrame); frame; frame = root.FindNext(frame)) {
    const ui::TO_img_item* tile = strip_->FindTileById(frame->GetAttr(n::kFrameId));
    if (what == TD_dialog_actions::What::All || (tile && tile->Checked())) {
      frames.emplace_back(frame->GetAttr(n::kSourceFile), frame);
    }
  }
  return frames;
}

void TFmain::Extract() {
  progress_->size(0, 1);
  ShowBusyPanel(true, "Extracting...");  // not centred again, unlike loading
  const auto remembered = std::filesystem::current_path();
  std::vector<std::string> failed;
  int written = 0;
  try {
    auto frames = CollectFrames();
    std::vector<std::string> paths;
    for (const auto& [path, frame] : frames)
      paths.push_back(actions_->UseRelativePaths() ? path : FileNameOf(path));
    if (actions_->UseRelativePaths()) paths = RelativePaths(paths);
    const std::string folder = actions_->TargetFolder();
    std::filesystem::create_directories(folder);
    const int step = frames.empty() ? 0 : kProgressSpan / static_cast<int>(frames.size());
    for (size_t k = 0; k < frames.size(); ++k) {
      const std::string target =
          ExtractionTarget(folder, paths[k], frames[k].second->GetAttr(n::kFrameId));
      if (ExtractFrame(*frames[k].second, target)) {
        ++written;
      } else {
        failed.push_back(std::filesystem::path(target).filename().string());
      }
      progress_->size(progress_->w() + step, 1);
      loadingPanel_->redraw();
      Fl::check();
    }
  } catch (const std::exception& e) {
    failed.clear();
    ui::CurrentDialogs().ShowMessage(e.what(), ui::MessageKind::Error);
  }
  std::error_code ec;
  std::filesystem::current_path(remembered, ec);
  ShowBusyPanel(false, "Loading...");
  if (!failed.empty()) {
    std::string names;
    for (const std::string& name : failed) names += (names.empty() ? "" : ", ") + name;
    ui::CurrentDialogs().ShowMessage(
        std::to_string(written) + " of " + std::to_string(written + failed.size()) +
            " pictures were extracted. These could not be written: " + names,
        ui::MessageKind::Warning);
  }
}

bool TFmain::ExtractFrame(const TKelPigger& frame, const std::string& target) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ec);
  const std::string id = frame.GetAttr(n::kFrameId);
  const TKelPigger* pointers = frame.FindChild(n::kPointers);
  const bool drawPointers = pointers && actions_->ApplyPointers();
  bool restores = false;
  if (pointers && !PasswordText().empty())
    restores = pointers->FindChild(n::kProtectedArea) != nullptr;
  try {
    if (!drawPointers && !restores) {
      // Nothing to draw: the stored JPEG file goes out as it is, without another encoding.
      const auto bytes = session_.FramePictureBytes(id);
      if (!bytes) return false;
      WriteFileAtomically(target, *bytes);
      return true;
    }
    auto picture = session_.LoadFramePicture(id, JpegScale::Full, PasswordText());
    if (!picture) return false;
    if (drawPointers) DrawPointersOnPicture(*pointers, *picture, VisibilityRule());
    // A file that cannot be written is tried again at lower qualities, never below 1.
    int quality = kExtractQuality;
    for (int step = 0; step <= 80;) {
      try {
        if (auto jpeg = EncodeJpeg(*picture, quality)) {
          WriteFileAtomically(target, *jpeg);
          return true;
        }
      } catch (const std::exception&) {
      }
      step += 5;
      quality = std::max(1, quality - step);
    }
  } catch (const std::exception&) {
  }
  return false;
}

void TFmain::SetWallpaper() {
  if (!ui::CurrentDialogs().AskYesNo("Set current picture as wallpaper?")) return;
  Bitmap wallpaper(Fl::w(), Fl::h());
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
