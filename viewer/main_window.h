// The viewer's main window: the thumbnail strip beside the picture view, the button bar,
// and the real-size and description panels that can take the whole window.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "actions_dialog.h"
#include "archive_session.h"
#include "buttons.h"
#include "description_panel.h"
#include "extraction.h"
#include "filter_dialog.h"
#include "password_check.h"
#include "picture_view.h"
#include "pictures_ahead.h"
#include "print_dialog.h"
#include "real_size_view.h"
#include "ui/ordered_workers.h"
#include "ui/splitter.h"
#include "ui/thumbnail_strip.h"
#include "ui/visible_first_workers.h"

namespace vx::viewer {

// -1 or 1 for the keys that step to the previous or next picture besides the strip's own
// (Page Up and Page Down are the strip's page moves on the main panel), else 0.
int StepOfKey(int key, bool mainPanel);

// Which pointers are drawn: clouds and arrows while "Pointers" is down, protected-area
// marks while the archive is locked, anything else always.
bool PointerVisible(const TKelPigger* element, bool pointersDown, bool locked);

// How extraction writes a frame, taken when it starts.
struct ExtractionOptions {
  bool applyPointers = true;
  AreaLock areas;                             // opens nothing unless a password was verified
  bool pointersDown = false, locked = false;  // for the pointer rule
};
// What became of one picture: written, or why not (the end of a plain sentence).
struct Extracted {
  bool written = false;
  std::string why;
};
// Writes the frame's picture (a copy of the frame, safe on a worker) to the target file.
Extracted ExtractFrame(const ArchiveSession& session, const TKelPigger& frame,
                       const std::string& target, const ExtractionOptions& options);

// The answers to a typed password that did not open the archive.
inline constexpr const char* kWrongPassword =
    "The password is not right; the protected areas stay hidden.";
inline constexpr const char* kNoMemoryForCheck =
    "There is not enough free memory to check the password. Close other programs and try "
    "again.";
inline constexpr const char* kPasswordRefused =
    "This archive's password settings are damaged or beyond what this viewer accepts, so its "
    "protected areas cannot be opened.";

class TFmain : public Fl_Double_Window {
 public:
  enum class Panel { Main, RealSize, Description };

  // The session's description must be loaded.
  TFmain(ArchiveSession& session, const std::string& caption, int w, int h);
  ~TFmain() override;

  // Once, after the window is shown: fills the strip and enables what the archive needs.
  void FormActivate();
  // Makes a tile for every frame at once and selects the first, or the one with the
  // identifier given; their thumbnails come in from workers, the tiles in sight first, while
  // the window stays responsive.
  void FillThumbnails(const std::string& reselect = "");
  // Description read afresh, frames the filter refuses removed, then the strip filled again,
  // keeping the user's strip width. A fill under way starts again; during an extraction the
  // rebuild waits for its end.
  void Rebuild(const std::string& reselect = "");
  // Thumbnails are still being made, or pictures extracted.
  bool Busy() const;
  // Thumbnails are being made again with the protected areas a password opened.
  bool RestoringThumbnails() const { return restore_ && restore_->Running(); }
  void ApplyFilter();
  void ScheduleLoad();
  void SetLocked(bool locked);
  bool Locked() const { return locked_; }
  void ShowPanel(Panel panel);
  Panel CurrentPanel() const { return currentPanel_; }
  // The pointer rule with the window's state.
  bool PointerVisible(const TKelPigger* element) const;
  // The text in the password box (emptied once a password was checked).
  std::string PasswordText() const { return actions_->PasswordText(); }

  ui::TO_img_items& Strip() { return *strip_; }
  TO_pgv& View() { return *view_; }
  VxButton& PointersButton() { return *pointersButton_; }
  VxButton& FilterButton() { return *filterButton_; }
  TD_filter& FilterDialog() { return *filterDialog_; }
  TD_dialog_actions& ActionsDialog() { return *actions_; }
  TF_prnt& PrintDialog() { return *printDialog_; }
  TO_real_size_view& RealSizeView() { return *realSizePanel_; }
  void SB_FSClick() { ShowRealSize(true); }
  void SB_realSizeClick() { ShowRealSize(false); }
  void SB_prntClick();
  void Image_keyClick();
  void SB_extractClick();
  TO_framedsc& DescriptionPanel() { return *descriptionPanel_; }
  void SB_DSCClick();
  void SB_filterClick();
  // How many thumbnails the last fill decoded (the others came from the cache).
  int ThumbnailsDecoded() const { return thumbnailsDecoded_; }
  KeyIcon& Key() { return *key_; }
  // While a typed password is checked (on a worker; the key is off meanwhile).
  bool CheckingPassword() const { return passwordCheck_.Running(); }
  Fl_Group& LoadingPanel() { return *loadingPanel_; }
  int PendingLoads() const { return pendingLoads_; }
  const PicturesAhead& Ahead() const { return ahead_; }
  // The extraction's progress stands in for the strip and the view.
  bool BusyPanelShown() const { return busyPanelShown_; }
  int StripWidth() const { return strip_->w(); }
  void SetStripWidth(int width);

  // Called after the view has taken a new picture, and after a fill has ended (tests and
  // benchmarks watch them).
  std::function<void()> OnPictureShown;
  std::function<void()> OnFilled;

  int handle(int event) override;
  void resize(int x, int y, int w, int h) override;

 private:
  static constexpr int kProgressSpan = 307 - 4;  // the progress bar's frame less its border
  static void TimerTick(void* data);
  void Timer1Timer();
  // The current tile's frame and picture into the view, and into the panel that shows them.
  void LoadCurrent();
  // The next and the previous frame's pictures decoded on a worker while this one is looked at.
  void DecodeNeighboursAhead();
  // "12 / 200 - Harbour" in the window's caption, beside the archive's name.
  void ShowPosition();
  // The strip's keys on the main panel, and previous or next picture from any panel with the
  // keys a person tries besides them; true when the key is one, acting on it when act is set.
  bool NavigationKey(int key, bool act);
  // A tile's thumbnail, made on a worker (from a copy of the frame): from the archive's
  // stored thumbnail when it serves the tile's picture box, else from its picture at a
  // quarter of its size, areas opened as the lock allows. Every thumbnail of the strip comes
  // from here; nothing when the picture cannot be read.
  std::shared_ptr<const Bitmap> TileThumbnail(const TKelPigger& frame, Size box,
                                              const AreaLock& areas) const;
  bool ThumbnailLoader(const std::string& id, Bitmap& picture);
  void LayoutMain();
  void SplitterMoved();
  bool PaintBoxMouseDown(Point at, int button);
  void ShowBusyPanel(bool on);
  void Extract();
  std::vector<const TKelPigger*> CollectFrames() const;
  void ExtractionEnded(const std::string& folder, int written, const std::vector<NotSaved>& failed);
  void SetWallpaper();
  PointerFilter VisibilityRule() const;
  void AnswerPasswordCheck(PasswordCheck check, const AreaLock& areas);
  // The thumbnails of frames with protected areas made again in the background, in strip
  // order, with the areas open; the tiles stay as they are.
  void RestoreThumbnails();
  template <void (TFmain::*Handler)()>
  void OnClick(Fl_Widget* button) {
    button->callback([](Fl_Widget*, void* window) { (static_cast<TFmain*>(window)->*Handler)(); },
                     this);
  }
  void SB_firstClick() { strip_->SelectFirst(); }
  void SB_priorClick() { strip_->SelectPrior(); }
  void SB_nextClick() { strip_->SelectNext(); }
  void SB_lastClick() { strip_->SelectLast(); }
  void SB_pointersClick();
  void SB_EXITClick() { hide(); }
  void CloseDescription() { ShowPanel(Panel::Main); }
  void ShowRealSize(bool fit);

  ArchiveSession& session_;
  Fl_Group* mainPanel_;
  ui::TO_img_items* strip_;
  ui::Splitter* splitter_;
  TO_pgv* view_;
  Fl_Group* loadingPanel_;
  Fl_Box* progress_;
  Fl_Group* controls_;
  Fl_Group* buttons_;
  KeyIcon* key_;
  Fl_Box* checking_;
  VxButton* pointersButton_;
  VxButton* filterButton_;
  TO_real_size_view* realSizePanel_;
  TO_framedsc* descriptionPanel_;
  std::unique_ptr<TD_filter> filterDialog_;
  std::unique_ptr<TD_dialog_actions> actions_;
  std::unique_ptr<TF_prnt> printDialog_;

  // Thumbnails already made, by frame identifier, so a rebuild need not decode them again;
  // they hold for one tile size and one area lock.
  struct CachedThumbnail {
    int tileSize;
    std::shared_ptr<const Bitmap> thumbnail;
  };
  std::map<std::string, CachedThumbnail> thumbnailCache_;
  AreaLock cacheLock_;
  // Opens the protected areas once a typed password was verified; opens nothing before.
  AreaLock areaLock_;
  int thumbnailsDecoded_ = 0;
  // Where the workers put thumbnails: thousands of them cost few page faults.
  mutable PixelBlocks thumbnailPixels_;

  std::unique_ptr<ui::VisibleFirstWorkers<std::shared_ptr<const Bitmap>>> fill_;
  std::unique_ptr<ui::OrderedWorkers<Extracted>> extraction_;
  std::unique_ptr<ui::OrderedWorkers<std::shared_ptr<const Bitmap>>> restore_;
  // A rebuild asked for during an extraction: the frame to select again.
  std::optional<std::string> rebuildPending_;

  std::string caption_;  // the archive's file name
  Panel currentPanel_ = Panel::Main;
  bool realSizeFit_ = false;  // how the real-size panel was opened
  int pendingLoads_ = 0;
  // When the selection last changed: a change a tick after the one before loads at once.
  std::chrono::steady_clock::time_point lastChange_{};
  bool activationPending_ = true;
  bool firstLoad_ = true;
  bool splitterMoved_ = false;
  bool busyPanelShown_ = false;
  bool locked_ = false;
  PicturesAhead ahead_;
  // Last, so a check still running is waited for before anything it answers to goes.
  PasswordCheckJob passwordCheck_;
};

}  // namespace vx::viewer
