#include "main_window.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <memory>
#include <thread>

#include "document/vocabulary.h"
#include "platform/ui_scale.h"
#include "ui/dialogs.h"
#include "ui/scaled_layout.h"

namespace vx::viewer {
namespace {

namespace n = names;

// Sizes at 96 dpi: the window is built from them and scaled once; layout code scales them.
constexpr int kControlsHeight = 51;
constexpr int kButtonsWidth = 699, kButtonsHeight = 40;
constexpr int kSplitterWidth = 5;
constexpr int kMinStripWidth = 150, kMaxStripWidth = 300, kDefaultStripWidth = 200;
constexpr int kLoadingWidth = 322, kLoadingHeight = 49;
constexpr double kTimerSeconds = 0.25;
constexpr Fl_Color kSilver = 0xC0C0C000;

}  // namespace

TFmain::TFmain(ArchiveSession& session, const std::string& caption, int w, int h)
    : Fl_Double_Window(w, h), session_(session) {
  copy_label(caption.c_str());
  caption_ = caption;
  const int mainHeight = h - kControlsHeight;
  mainPanel_ = new Fl_Group(0, 0, w, mainHeight);
  strip_ = new ui::TO_img_items(0, 0, kDefaultStripWidth, mainHeight);
  // Dragging the bar between strip and view changes the strip's width.
  splitter_ = new ui::Splitter(FL_THIN_UP_BOX, kDefaultStripWidth, 0, kSplitterWidth, mainHeight);
  splitter_->OnDrag = [this](int left) {
    splitterMoved_ = true;
    SetStripWidth(left - mainPanel_->x());
  };
  splitter_->OnRelease = [this] { SplitterMoved(); };
  view_ = new TO_pgv(kDefaultStripWidth + kSplitterWidth, 0,
                     w - kDefaultStripWidth - kSplitterWidth, mainHeight);
  loadingPanel_ = new Fl_Group(0, 0, kLoadingWidth, kLoadingHeight, "Extracting...");
  loadingPanel_->box(FL_BORDER_BOX);
  loadingPanel_->color(kSilver);
  loadingPanel_->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP);
  loadingPanel_->labelsize(12);
  auto* border = new Fl_Box(FL_BORDER_FRAME, 6, 32, 307, 5, nullptr);
  border->color(FL_WHITE);
  progress_ = new Fl_Box(FL_FLAT_BOX, 9, 34, 0, 1, nullptr);
  progress_->color(FL_WHITE);
  loadingPanel_->end();
  loadingPanel_->hide();
  mainPanel_->end();
  mainPanel_->resizable(view_);

  controls_ = new Fl_Group(0, mainHeight, w, kControlsHeight);
  controls_->box(FL_FLAT_BOX);
  controls_->color(kSilver);
  key_ = new KeyIcon(8, mainHeight + 10);
  key_->callback([](Fl_Widget*, void* data) { static_cast<TFmain*>(data)->Image_keyClick(); },
                 this);
  key_->hide();
  checking_ = new Fl_Box(8 + 36, mainHeight + 10, 100, 32, "Checking...");
  checking_->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
  checking_->labelsize(12);
  checking_->tooltip("The password is being checked");
  checking_->hide();
  const int bx = (w - kButtonsWidth) / 2, by = mainHeight + (kControlsHeight - kButtonsHeight) / 2;
  buttons_ = new Fl_Group(bx, by, kButtonsWidth, kButtonsHeight);
  buttons_->box(FL_BORDER_BOX);
  buttons_->color(kSilver);
  pointersButton_ = new VxButton(bx + 5, by + 1, 83, 18, "Pointers");
  pointersButton_->type(FL_TOGGLE_BUTTON);
  OnClick<&TFmain::SB_pointersClick>(pointersButton_);
  filterButton_ = new VxButton(bx + 5, by + 17, 83, 18, "Filter");
  filterButton_->type(FL_TOGGLE_BUTTON);
  OnClick<&TFmain::SB_filterClick>(filterButton_);
  filterButton_->deactivate();
  pointersButton_->deactivate();
  OnClick<&TFmain::SB_FSClick>(new VxButton(bx + 88, by + 1, 97, 18, "Fit to screen"));
  OnClick<&TFmain::SB_realSizeClick>(new VxButton(bx + 88, by + 17, 97, 18, "Real Size"));
  auto* nav = new Fl_Group(bx + 191, by + 1, 153, 34);
  OnClick<&TFmain::SB_firstClick>(new VxArrowButton(bx + 191 + 7, by, Arrow::First, "First"));
  OnClick<&TFmain::SB_priorClick>(new VxArrowButton(bx + 191 + 43, by, Arrow::Prior, "Prior"));
  OnClick<&TFmain::SB_nextClick>(new VxArrowButton(bx + 191 + 79, by, Arrow::Next, "Next"));
  OnClick<&TFmain::SB_lastClick>(new VxArrowButton(bx + 191 + 115, by, Arrow::Last, "Last"));
  nav->end();
  OnClick<&TFmain::SB_DSCClick>(new VxButton(bx + 359, by + 6, 81, 25, "Description"));
  OnClick<&TFmain::SB_extractClick>(new VxButton(bx + 442, by + 6, 81, 25, "Extract"));
  OnClick<&TFmain::SB_prntClick>(new VxButton(bx + 524, by + 6, 81, 25, "Print..."));
  OnClick<&TFmain::SB_EXITClick>(new VxButton(bx + 607, by + 6, 81, 25, "Exit"));
  buttons_->end();
  buttons_->resizable(nullptr);
  controls_->end();
  controls_->resizable(nullptr);

  realSizePanel_ = new TO_real_size_view(0, 0, w, h);
  realSizePanel_->hide();
  realSizePanel_->OnRightClick = [this] { ShowPanel(Panel::Main); };
  descriptionPanel_ = new TO_framedsc(0, 0, w, h);
  descriptionPanel_->end();
  descriptionPanel_->hide();
  OnClick<&TFmain::CloseDescription>(&descriptionPanel_->CloseButton());
  end();
  resizable(mainPanel_);
  // Fonts and the fixed parts once at the desktop's scale, then laid out at the size asked for.
  ui::ScaleWidgetTree(*this);
  resize(x(), y(), w, h);
  size_range(Scaled(640), Scaled(400));

  // Escape must not close the window; only the window manager and "Exit" do.
  callback([](Fl_Widget* window, void*) {
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    window->hide();
  });
  strip_->AllowReorder = false;
  strip_->OnVisibleChange = [this](int first, int last) {
    if (fill_) fill_->SetVisible(static_cast<size_t>(first), static_cast<size_t>(last));
  };
  strip_->OnSelect = [this] {
    ShowPosition();
    // A strip emptied for a rebuild selects nothing, which is not a step of a burst.
    if (strip_->Current()) ScheduleLoad();
  };
  view_->Model().SetPointerRule(VisibilityRule());
  view_->OnPaintBoxMouseDown = [this](Point at, int button) {
    return PaintBoxMouseDown(at, button);
  };
  ShowPanel(Panel::Main);
  filterDialog_ = std::make_unique<TD_filter>();
  actions_ = std::make_unique<TD_dialog_actions>();
  printDialog_ = std::make_unique<TF_prnt>();
}

TFmain::~TFmain() {
  Fl::remove_timeout(TimerTick, this);
  // Workers stop before the window's parts go.
  fill_.reset();
  extraction_.reset();
  restore_.reset();
}

void TFmain::FormActivate() {
  if (!activationPending_) return;
  activationPending_ = false;
  Fl::focus(this);  // keys reach the window, which previews them all
  FillThumbnails();
  filterDialog_->ScanDocument(session_.Document());
  const FilterIndex& index = filterDialog_->Index();
  if (index.HasTexts() || index.HasFields() || index.HasPointers()) filterButton_->activate();
  if (index.HasPointers()) pointersButton_->activate();
}

// While pictures are extracted, the panel with its caption and progress bar stands in for
// the strip and the view.
void TFmain::ShowBusyPanel(bool on) {
  busyPanelShown_ = on;
  if (on) {
    // Placed afresh: the main panel's resizing may have stretched or moved it.
    const int width = Scaled(kLoadingWidth), height = Scaled(kLoadingHeight);
    loadingPanel_->resize(mainPanel_->x() + (mainPanel_->w() - width) / 2,
                          mainPanel_->y() + (mainPanel_->h() - height) / 2, width, height);
    strip_->hide();
    view_->hide();
    loadingPanel_->show();
  } else {
    strip_->show();
    view_->show();
    loadingPanel_->hide();
  }
  redraw();
}

bool TFmain::Busy() const {
  return (fill_ && fill_->Running()) || (extraction_ && extraction_->Running());
}

void TFmain::FillThumbnails(const std::string& reselect) {
  fill_.reset();  // a fill under way stops here; its tiles go with the clearing below
  restore_.reset();
  if (const auto color = session_.LensBorderColor()) view_->Model().SetLensBorderColor(*color);
  if (std::exchange(firstLoad_, false)) {
    if (const auto width = session_.StripWidth()) SetStripWidth(Scaled(*width));
  }
  SetLocked(session_.Password().Asked() && areaLock_.OpensNothing());

  strip_->ClearTiles();
  if (!(cacheLock_ == areaLock_)) thumbnailCache_.clear();
  cacheLock_ = areaLock_;
  thumbnailsDecoded_ = 0;
  const int tileSize = strip_->TileSizeNow();

  // What each tile's thumbnail is made from, taken now: the workers never look at the
  // description, which a rebuild may replace while they run.
  struct Item {
    std::shared_ptr<const TKelPigger> frame;  // a copy to decode from; none when cached
    std::shared_ptr<const Bitmap> ready;
  };
  auto items = std::make_shared<std::vector<Item>>();
  std::vector<std::string> ids, captions;
  const TKelPigger& document = session_.Document();
  for (const TKelPigger* frame = document.FindChild(n::kFrame); frame;
       frame = document.FindNext(frame)) {
    ids.push_back(frame->GetAttr(n::kFrameId));
    captions.push_back(FrameCaption(*frame));
    Item item;
    const auto cached = thumbnailCache_.find(ids.back());
    if (cached != thumbnailCache_.end() && cached->second.tileSize == tileSize) {
      item.ready = cached->second.thumbnail;
    } else {
      ++thumbnailsDecoded_;
      auto copy = std::make_shared<TKelPigger>();
      copy->Assign(*frame);
      item.frame = std::move(copy);
    }
    items->push_back(std::move(item));
  }

  // Every tile at once, waiting for its thumbnail; the first picture is shown meanwhile.
  strip_->AddPendingTiles(
      ids, [this](const std::string& id, Bitmap& out) { return ThumbnailLoader(id, out); });
  for (size_t k = 0; k < ids.size(); ++k) {
    ui::TO_img_item* tile = strip_->TileAt(static_cast<int>(k));
    tile->SetFooter(captions[k]);
    tile->CheckBox().show();
    if ((*items)[k].ready) tile->SetThumbnail((*items)[k].ready);
  }

  using Thumbnail = std::shared_ptr<const Bitmap>;
  const Size box = strip::PictureBox(tileSize, strip_->StripMetrics());
  auto make = [this, items, box, areas = areaLock_](size_t k) -> Thumbnail {
    const Item& item = (*items)[k];
    return item.ready ? item.ready : TileThumbnail(*item.frame, box, areas);
  };
  // The tiles stay as they are while the fill runs: only a fill clears them, stopping this
  // one first. Tiles from the cache have their thumbnails already.
  auto show = [this, tileSize](size_t k, Thumbnail& thumbnail) {
    ui::TO_img_item* tile = strip_->TileAt(static_cast<int>(k));
    if (!tile || !tile->Pending()) return;
    tile->Missing = !thumbnail;  // the picture is missing or damaged in the archive
    tile->SetThumbnail(thumbnail);
    if (thumbnail) thumbnailCache_[tile->Id] = {tileSize, thumbnail};
  };
  auto finish = [this] {
    if (OnFilled) OnFilled();
  };
  // Thumbnails are made on every core, the tiles in sight first.
  fill_ = std::make_unique<ui::VisibleFirstWorkers<Thumbnail>>(
      items->size(), std::max(2u, std::thread::hardware_concurrency()), make, show, finish);
  if (strip_->TileCount() > 0) strip_->SelectTile(strip_->TileAt(0));
  if (!reselect.empty()) strip_->SelectTile(strip_->FindTileById(reselect));
  const auto [first, last] = strip_->VisibleTiles();
  fill_->SetVisible(static_cast<size_t>(first), static_cast<size_t>(last));
}

std::shared_ptr<const Bitmap> TFmain::TileThumbnail(const TKelPigger& frame, Size box,
                                                    const AreaLock& areas) const {
  auto picture = session_.DecodeFrameThumbnail(frame, box, areas);
  if (!picture) return nullptr;
  return std::make_shared<const Bitmap>(strip::FitThumbnail(*picture, box, &thumbnailPixels_));
}

bool TFmain::ThumbnailLoader(const std::string& id, Bitmap& picture) {
  auto decoded = session_.LoadFramePicture(id, JpegScale::Full, areaLock_);
  if (!decoded) return false;
  picture = std::move(*decoded);
  return true;
}

void TFmain::Rebuild(const std::string& reselect) {
  // An extraction under way keeps the busy panel; the rebuild follows when it ends.
  if (extraction_ && extraction_->Running()) {
    rebuildPending_ = reselect;
    return;
  }
  if (!session_.LoadDescription()) return;
  ApplyFilter();
  FillThumbnails(reselect);
}

void TFmain::ApplyFilter() {
  TKelPigger& document = session_.Document();
  std::vector<TKelPigger*> refused;
  for (TKelPigger* frame = document.FindChild(n::kFrame); frame; frame = document.FindNext(frame)) {
    if (!filterDialog_->Passes(*frame)) refused.push_back(frame);
  }
  for (TKelPigger* frame : refused) delete frame;
}

void TFmain::SB_filterClick() {
  filterButton_->value(filterDialog_->Active());  // the click flipped the toggle by itself
  if (filterDialog_->Execute()) {
    filterButton_->value(filterDialog_->Active());
    Rebuild();
  }
}

void TFmain::SB_DSCClick() {
  ui::TO_img_item* tile = strip_->Current();
  if (!tile) return;
  descriptionPanel_->ShowFrame(session_.FrameById(tile->Id), &view_->Model().WorkingPicture());
  ShowPanel(Panel::Description);
}

// A burst of changes loads one picture, a tick after its last change, however long the
// burst; a change after a quiet tick loads on the event loop's next turn.
void TFmain::ScheduleLoad() {
  ++pendingLoads_;
  const auto now = std::chrono::steady_clock::now();
  const bool quiet = now - lastChange_ >= std::chrono::duration<double>(kTimerSeconds);
  lastChange_ = now;
  Fl::remove_timeout(TimerTick, this);
  Fl::add_timeout(quiet ? 0.0 : kTimerSeconds, TimerTick, this);
}

void TFmain::TimerTick(void* data) { static_cast<TFmain*>(data)->Timer1Timer(); }

void TFmain::Timer1Timer() {
  pendingLoads_ = 0;
  LoadCurrent();
}

void TFmain::LoadCurrent() {
  ui::TO_img_item* tile = strip_->Current();
  if (!tile) return;
  const TKelPigger* frame = session_.FrameById(tile->Id);
  if (!frame) return;
  // The picture left goes to the pictures held ahead: a step back shows it at once.
  const std::string leaving = view_->Model().Frame().GetAttr(n::kFrameId);
  if (view_->Model().HasPicture() && leaving != tile->Id)
    ahead_.Keep(leaving, view_->Model().DecodedPicture());
  view_->SetFrame(frame->SaveToText());
  const bool loaded = view_->LoadPicture([this, id = tile->Id](Bitmap& picture) {
    if (auto ready = ahead_.Take(id)) {
      picture = std::move(*ready);
      return true;
    }
    return strip_->LoadCurrentPicture(picture);
  });
  if (!loaded) view_->ShowMissing();
  DecodeNeighboursAhead();
  // A step taken from the description or the real-size panel shows there too.
  if (currentPanel_ == Panel::Description) {
    descriptionPanel_->ShowFrame(frame, &view_->Model().WorkingPicture());
  } else if (currentPanel_ == Panel::RealSize) {
    // A missing picture has no real size: the main panel shows its placeholder.
    if (loaded) {
      realSizePanel_->ShowPicture(&view_->Model().WorkingPicture(), realSizeFit_);
    } else {
      ShowPanel(Panel::Main);
    }
  }
  if (OnPictureShown) OnPictureShown();
}

void TFmain::DecodeNeighboursAhead() {
  const int index = strip_->IndexOfTile(strip_->Current());
  std::vector<std::shared_ptr<const TKelPigger>> frames;
  for (int neighbour : {index + 1, index - 1}) {
    const ui::TO_img_item* tile = strip_->TileAt(neighbour);
    const TKelPigger* frame = tile ? session_.FrameById(tile->Id) : nullptr;
    if (!frame) continue;
    auto copy = std::make_shared<TKelPigger>();
    copy->Assign(*frame);
    frames.push_back(std::move(copy));
  }
  ahead_.Want(std::move(frames), [&session = session_, areas = areaLock_](const TKelPigger& frame) {
    return session.DecodeFramePicture(frame, JpegScale::Full, areas);
  });
}

void TFmain::ShowPosition() {
  std::string title = caption_;
  if (const ui::TO_img_item* tile = strip_->Current()) {
    title = std::to_string(strip_->IndexOfTile(tile) + 1) + " / " +
            std::to_string(strip_->TileCount()) + " - " + tile->Footer() + " - " + caption_;
  }
  copy_label(title.c_str());
}

void TFmain::SetLocked(bool locked) {
  locked_ = locked;
  if (locked) {
    key_->show();
  } else {
    key_->hide();
  }
  controls_->redraw();
}

bool PointerVisible(const TKelPigger* element, bool pointersDown, bool locked) {
  if (!element) return true;
  if (element->Name == n::kArrow || element->Name == n::kCloud) return pointersDown;
  if (element->Name == n::kProtectedArea) return locked;
  return true;
}

bool TFmain::PointerVisible(const TKelPigger* element) const {
  return viewer::PointerVisible(element, pointersButton_->value() != 0, locked_);
}

void TFmain::ShowPanel(Panel panel) {
  currentPanel_ = panel;
  for (auto [group, which] : {std::pair{mainPanel_, Panel::Main},
                              {realSizePanel_, Panel::RealSize},
                              {descriptionPanel_, Panel::Description}}) {
    if (which == panel) {
      group->show();
    } else {
      group->hide();
    }
  }
  if (panel == Panel::Main) {
    controls_->show();
  } else {
    controls_->hide();
  }
  // The real-size panel takes the whole screen, without a window border.
  if (shown()) {
    if (panel == Panel::RealSize && !fullscreen_active()) {
      fullscreen();
    } else if (panel != Panel::RealSize && fullscreen_active()) {
      fullscreen_off();
    }
    Fl::focus(this);  // keys (Escape above all) keep reaching the window
  }
  redraw();
}

void TFmain::ShowRealSize(bool fit) {
  if (!view_->Model().HasPicture()) return;  // nothing to show larger
  realSizeFit_ = fit;
  realSizePanel_->ShowPicture(&view_->Model().WorkingPicture(), fit);
  ShowPanel(Panel::RealSize);
}

void TFmain::SB_prntClick() {
  if (!strip_->Current()) return;
  if (view_->Model().Missing()) {
    ui::CurrentDialogs().ShowMessage(
        "This picture is missing or damaged in the archive, so there is nothing to print.",
        ui::MessageKind::Information);
    return;
  }
  printDialog_->PrintPicture(view_->Model().WorkingPicture());
}

void TFmain::SetStripWidth(int width) {
  width = std::clamp(width, Scaled(kMinStripWidth), Scaled(kMaxStripWidth));
  strip_->resize(mainPanel_->x(), mainPanel_->y(), width, mainPanel_->h());
  LayoutMain();
}

void TFmain::LayoutMain() {
  const int width = strip_->w(), splitter = Scaled(kSplitterWidth);
  splitter_->resize(mainPanel_->x() + width, mainPanel_->y(), splitter, mainPanel_->h());
  view_->resize(mainPanel_->x() + width + splitter, mainPanel_->y(),
                mainPanel_->w() - width - splitter, mainPanel_->h());
  mainPanel_->init_sizes();
  mainPanel_->redraw();
}

void TFmain::resize(int x, int y, int w, int h) {
  const int stripWidth = strip_->w(), controlsHeight = Scaled(kControlsHeight);
  Fl_Double_Window::resize(x, y, w, h);
  mainPanel_->resize(0, 0, w, h - controlsHeight);
  strip_->resize(0, 0, stripWidth, h - controlsHeight);
  LayoutMain();
  controls_->resize(0, h - controlsHeight, w, controlsHeight);
  buttons_->position((w - buttons_->w()) / 2,
                     h - controlsHeight + (controlsHeight - buttons_->h()) / 2);
  realSizePanel_->resize(0, 0, w, h);
  descriptionPanel_->resize(0, 0, w, h);
}

void TFmain::SplitterMoved() {
  if (!splitterMoved_) return;
  splitterMoved_ = false;
  // The tiles are made again at the new width, the frame that was current selected again.
  Rebuild(strip_->Current() ? strip_->Current()->Id : "");
}

void TFmain::SB_pointersClick() { ScheduleLoad(); }

bool TFmain::PaintBoxMouseDown(Point at, int) {
  if (locked_ && view_->Model().HitProtectedArea(at)) {
    Image_keyClick();
    return true;
  }
  return false;
}

int StepOfKey(int key, bool mainPanel) {
  switch (key) {
    case FL_Left:
    case FL_BackSpace:
      return -1;
    case FL_Right:
    case ' ':
      return 1;
    case FL_Page_Up:  // the main panel keeps the strip's page moves
      return mainPanel ? 0 : -1;
    case FL_Page_Down:
      return mainPanel ? 0 : 1;
    default:
      return 0;
  }
}

bool TFmain::NavigationKey(int key, bool act) {
  const bool mainPanel = currentPanel_ == Panel::Main;
  const int step = StepOfKey(key, mainPanel);
  if (step != 0) {
    if (act && step < 0) strip_->SelectPrior();
    if (act && step > 0) strip_->SelectNext();
    return true;
  }
  if (!mainPanel) return false;
  if (!act) return ui::TO_img_items::IsNavigationKey(key);
  return strip_->HandleKey(key);
}

int TFmain::handle(int event) {
  switch (event) {
    case FL_KEYDOWN:
      if (Fl::event_key() == FL_Escape && currentPanel_ != Panel::Main) {
        ShowPanel(Panel::Main);
        return 1;
      }
      // Taken here so that no arrow key moves the focus; the step follows on release.
      if (NavigationKey(Fl::event_key(), false)) return 1;
      break;
    case FL_KEYUP:
      if (NavigationKey(Fl::event_key(), true)) return 1;
      break;
    case FL_MOUSEWHEEL:
      // Over the strip the wheel scrolls it; elsewhere on the main panel it zooms.
      if (currentPanel_ == Panel::Main && Fl::event_dy() != 0 && !Fl::event_inside(strip_)) {
        view_->ZoomStep(Fl::event_dy() < 0);
        return 1;
      }
      break;
    default:
      break;
  }
  return Fl_Double_Window::handle(event);
}

}  // namespace vx::viewer
