#include "ui/thumbnail_strip.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/ui_scale.h"
#include "strip/strip_geometry.h"
#include "ui/draw_bitmap.h"
#include "ui/labels.h"

namespace vx::ui {
namespace {

constexpr Fl_Color kCurrentTile = 0x00804000;  // red 0, green 128, blue 64
constexpr Fl_Color kWorkspace = 0xABABAB00;    // the scroll area behind the tiles
constexpr int kFooterFontSize = 11;            // 8 points at 96 dpi
constexpr int kDragThreshold = 4;

}  // namespace

TO_img_item::TO_img_item(TO_img_items& strip, int x, int y, int size, std::string id,
                         TileLoader loader, std::shared_ptr<const Bitmap> thumbnail)
    : Fl_Group(x, y, size, size), Id(std::move(id)), strip_(strip), loader_(std::move(loader)) {
  check_ = new Fl_Check_Button(x, y, size, size);
  PlaceCheckBox();
  check_->labelcolor(FL_WHITE);
  check_->labelsize(Scaled(kFooterFontSize));
  check_->labelfont(FL_HELVETICA);
  check_->clear_visible_focus();
  check_->callback(
      [](Fl_Widget*, void* data) {
        auto* tile = static_cast<TO_img_item*>(data);
        if (tile->strip_.OnCheckClick) tile->strip_.OnCheckClick(tile);
      },
      this);
  end();
  if (thumbnail) {
    SetThumbnail(std::move(thumbnail));
  } else {
    pending_ = true;
  }
}

// The footer's check box in the lower band.
void TO_img_item::PlaceCheckBox() {
  const int band = strip_.StripMetrics().band, size = w();
  check_->resize(x() + Scaled(9), y() + size - band + Scaled(2), size - Scaled(14),
                 band - Scaled(4));
}

void TO_img_item::SetFooter(const std::string& footer) {
  footer_ = footer;
  check_->copy_label(LabelText(footer_).c_str());
}

void TO_img_item::SetSelected(bool selected) {
  selected_ = selected;
  redraw();
}

void TO_img_item::SetTileSize(int size) {
  resize(x(), y(), size, size);
  PlaceCheckBox();
  Bitmap picture;
  try {
    if (loader_) loader_(Id, picture);
  } catch (const std::exception&) {
    picture = Bitmap();  // shown as a placeholder, like a loader that drew nothing
  }
  ShowPicture(std::move(picture));
  selected_ = false;  // the current tile's colour comes back with the next selection
}

void TO_img_item::ShowPicture(Bitmap picture) {
  // Only the reduced picture is kept; the full one goes away with the caller's.
  SetThumbnail(picture.Empty() ? nullptr
                               : std::make_shared<const Bitmap>(strip::FitThumbnail(
                                     picture, strip::PictureBox(w(), strip_.StripMetrics()))));
}

void TO_img_item::SetThumbnail(std::shared_ptr<const Bitmap> thumbnail) {
  thumbnail_ = std::move(thumbnail);
  thumbnailSize_ = thumbnail_ ? Size{thumbnail_->Width(), thumbnail_->Height()} : Size{1, 1};
  pending_ = false;
  redraw();
}

bool TO_img_item::OnPicture(int px, int py) const {
  const Point origin = strip::ThumbnailOrigin(w(), thumbnailSize_);
  return px >= x() + origin.x && px < x() + origin.x + thumbnailSize_.width &&
         py >= y() + origin.y && py < y() + origin.y + thumbnailSize_.height;
}

void TO_img_item::draw() {
  const int size = w(), band = strip_.StripMetrics().band;
  fl_rectf(x(), y(), size, size, FL_BLACK);
  fl_color(FL_WHITE);
  fl_xyline(x(), y() + band, x() + size - 1);
  fl_xyline(x(), y() + size - band - 1, x() + size - 1);
  fl_rectf(x(), y() + band + 1, size, size - 2 * band - 2, selected_ ? kCurrentTile : FL_BLACK);
  if (pending_) {
    // The thumbnail is on its way: the dark box says nothing yet.
  } else if (!thumbnail_) {
    // Nothing could be loaded: the placeholder the picture view shows too.
    const Size box = strip::PictureBox(size, strip_.StripMetrics());
    const Point origin = strip::ThumbnailOrigin(size, box);
    DrawMissingPicture(x() + origin.x, y() + origin.y, box.width, box.height,
                       Missing ? kPictureMissingLabel : "");
  } else {
    const Point origin = strip::ThumbnailOrigin(size, thumbnailSize_);
    DrawBitmap(*thumbnail_, x() + origin.x, y() + origin.y);
  }
  draw_child(*check_);
}

int TO_img_item::handle(int event) {
  switch (event) {
    case FL_PUSH:
      if (Fl::event_inside(check_)) return Fl_Group::handle(event);
      if (Fl::event_button() != FL_LEFT_MOUSE) return 1;
      pressX_ = Fl::event_x();
      pressY_ = Fl::event_y();
      dragging_ = false;
      strip_.SelectTile(this);
      return 1;
    case FL_DRAG:
      if (strip_.AllowReorder && OnPicture(pressX_, pressY_) &&
          (std::abs(Fl::event_x() - pressX_) > Scaled(kDragThreshold) ||
           std::abs(Fl::event_y() - pressY_) > Scaled(kDragThreshold))) {
        dragging_ = true;
        fl_cursor(FL_CURSOR_MOVE);
      }
      return 1;
    case FL_RELEASE:
      if (dragging_) {
        dragging_ = false;
        fl_cursor(FL_CURSOR_DEFAULT);
        TO_img_item* target = strip_.TileWithPictureAt(Fl::event_x(), Fl::event_y());
        if (target && target != this) strip_.MoveTile(this, target);
      }
      return 1;
    default:
      return Fl_Group::handle(event);
  }
}

TO_img_items::TO_img_items(int x, int y, int w, int h)
    : Fl_Group(x, y, w, h), metrics_(strip::ScaledMetrics(&Scaled)) {
  box(FL_FLAT_BOX);
  color(kWorkspace);
  scroll_ = new Fl_Scroll(x, y + metrics_.topBand, w, h - metrics_.topBand);
  scroll_->type(Fl_Scroll::VERTICAL);
  scroll_->box(FL_FLAT_BOX);
  scroll_->color(kWorkspace);
  scroll_->end();
  end();
  resizable(scroll_);
}

TO_img_items::~TO_img_items() = default;

// Laid out here rather than scaled with the rest of a window, since the band is scaled already.
void TO_img_items::resize(int x, int y, int w, int h) {
  Fl_Group::resize(x, y, w, h);
  scroll_->resize(x, y + metrics_.topBand, w, h - metrics_.topBand);
}

int TO_img_items::TileSizeNow() const { return strip::TileSizeFor(scroll_->w(), metrics_); }

// Tiles are placed from the content's unscrolled top-left corner, found from the first tile
// (FLTK's own scroll position counts from wherever the children's bounding box begins).
Point TO_img_items::ContentOrigin() const {
  if (tiles_.empty()) return {scroll_->x(), scroll_->y()};
  return {tiles_.front()->x() - metrics_.margin, tiles_.front()->y() - metrics_.margin};
}

int TO_img_items::ScrolledBy() const { return scroll_->y() - ContentOrigin().y; }

void TO_img_items::ScrollTo(int offset) {
  scroll_->scroll_to(scroll_->xposition(),
                     scroll_->yposition() + std::max(offset, 0) - ScrolledBy());
  scroll_->redraw();
}

TO_img_item* TO_img_items::AddTile(const std::string& id, TileLoader loader,
                                   std::shared_ptr<const Bitmap> thumbnail) {
  const Point origin = ContentOrigin();
  const int size = TileSizeNow();
  const int top = strip::TileTop(TileCount(), size, metrics_);
  auto* tile = new TO_img_item(*this, origin.x + metrics_.margin, origin.y + top, size, id,
                               std::move(loader), std::move(thumbnail));
  scroll_->add(tile);
  tiles_.push_back(tile);
  if (!tile->Thumbnail()) tile->SetTileSize(size);
  tile->SetFooter("");
  ScrollTo(top + size + metrics_.margin - scroll_->h());
  return tile;
}

void TO_img_items::AddPendingTiles(const std::vector<std::string>& ids, const TileLoader& loader) {
  const Point origin = ContentOrigin();
  const int size = TileSizeNow();
  tiles_.reserve(tiles_.size() + ids.size());
  for (const std::string& id : ids) {
    auto* tile = new TO_img_item(*this, origin.x + metrics_.margin,
                                 origin.y + strip::TileTop(TileCount(), size, metrics_), size, id,
                                 loader);
    scroll_->add(tile);
    tiles_.push_back(tile);
  }
  scroll_->redraw();
}

std::pair<int, int> TO_img_items::VisibleTiles() const {
  return strip::VisibleTiles(ScrolledBy(), scroll_->h(), TileSizeNow(), metrics_, TileCount());
}

void TO_img_items::draw() {
  Fl_Group::draw();
  // Scrolling, resizing and new tiles all end in a drawing.
  const auto visible = VisibleTiles();
  if (visible == visibleTold_) return;
  visibleTold_ = visible;
  if (OnVisibleChange) OnVisibleChange(visible.first, visible.second);
}

TO_img_item* TO_img_items::TileAt(int index) const {
  return index >= 0 && index < TileCount() ? tiles_[static_cast<size_t>(index)] : nullptr;
}

int TO_img_items::IndexOfTile(const TO_img_item* tile) const {
  auto it = std::find(tiles_.begin(), tiles_.end(), tile);
  return it == tiles_.end() ? -1 : static_cast<int>(it - tiles_.begin());
}

TO_img_item* TO_img_items::FindTileById(const std::string& id) const {
  if (id.empty()) return nullptr;
  auto it =
      std::find_if(tiles_.begin(), tiles_.end(), [&](const TO_img_item* t) { return t->Id == id; });
  return it == tiles_.end() ? nullptr : *it;
}

void TO_img_items::SelectTile(TO_img_item* tile) {
  if (current_) {
    if (OnBeforeSelect) OnBeforeSelect();
    current_->SetSelected(false);
  }
  current_ = tile;
  if (current_) current_->SetSelected(true);
  if (OnSelect) OnSelect();
  if (tile) ScrollIntoView(tile);
}

void TO_img_items::ScrollIntoView(const TO_img_item* tile) {
  const int index = IndexOfTile(tile);
  if (index < 0) return;
  const int size = tile->TileSize();
  const int top = strip::TileTop(index, size, metrics_);
  if (top - metrics_.margin < ScrolledBy()) {
    ScrollTo(top - metrics_.margin);
  } else if (top + size + metrics_.margin > ScrolledBy() + scroll_->h()) {
    ScrollTo(top + size + metrics_.margin - scroll_->h());
  }
}

void TO_img_items::DeleteTileAt(int index) {
  if (index < 0 || index >= TileCount()) return;
  SelectTile(nullptr);
  const Point origin = ContentOrigin();
  TO_img_item* tile = tiles_[static_cast<size_t>(index)];
  tiles_.erase(tiles_.begin() + index);
  scroll_->remove(tile);
  Fl::delete_widget(tile);
  PlaceTiles(origin);
}

void TO_img_items::ClearTiles() {
  SelectTile(nullptr);
  // From the end, so that no removal searches or moves the others (thousands of tiles), and
  // deleted once the event under way is over, since a tile's own handler may have led here.
  for (int i = scroll_->children() - 1; i >= 0; --i) {
    Fl_Widget* child = scroll_->child(i);
    if (child == &scroll_->scrollbar || child == &scroll_->hscrollbar) continue;
    scroll_->remove(i);
    Fl::delete_widget(child);
  }
  tiles_.clear();
  visibleTold_ = {0, 0};
  ScrollTo(0);
}

bool TO_img_items::AnyTileChecked() const {
  return std::any_of(tiles_.begin(), tiles_.end(),
                     [](const TO_img_item* t) { return t->Checked(); });
}

void TO_img_items::SelectPrior() {
  const int index = IndexOfTile(current_);
  if (index > 0) SelectTile(tiles_[static_cast<size_t>(index - 1)]);
}

void TO_img_items::SelectNext() {
  const int index = IndexOfTile(current_);
  if (index >= 0 && index + 1 < TileCount()) SelectTile(tiles_[static_cast<size_t>(index + 1)]);
}

void TO_img_items::SelectFirst() {
  if (!tiles_.empty()) SelectTile(tiles_.front());
}

void TO_img_items::SelectLast() {
  if (!tiles_.empty()) SelectTile(tiles_.back());
}

void TO_img_items::SelectPageUp() {
  const int index = IndexOfTile(current_);
  if (index >= 0)
    SelectTile(
        TileAt(strip::PageUp(index, strip::PageOf(scroll_->h(), current_->TileSize(), metrics_))));
}

void TO_img_items::SelectPageDown() {
  const int index = IndexOfTile(current_);
  if (index >= 0) {
    SelectTile(TileAt(strip::PageDown(
        index, strip::PageOf(scroll_->h(), current_->TileSize(), metrics_), TileCount())));
  }
}

bool TO_img_items::HandleKey(int key) {
  switch (key) {
    case FL_Up:
      SelectPrior();
      return true;
    case FL_Down:
      SelectNext();
      return true;
    case FL_Home:
      SelectFirst();
      return true;
    case FL_End:
      SelectLast();
      return true;
    case FL_Page_Up:
      SelectPageUp();
      return true;
    case FL_Page_Down:
      SelectPageDown();
      return true;
    default:
      return false;
  }
}

bool TO_img_items::IsNavigationKey(int key) {
  return key == FL_Up || key == FL_Down || key == FL_Home || key == FL_End || key == FL_Page_Up ||
         key == FL_Page_Down;
}

bool TO_img_items::LoadCurrentPicture(Bitmap& picture) {
  if (!current_ || !current_->Loader()) return false;
  try {
    return current_->Loader()(current_->Id, picture);
  } catch (const std::exception&) {
    return false;
  }
}

void TO_img_items::MoveTile(TO_img_item* t, TO_img_item* u) {
  const int from = IndexOfTile(t), to = IndexOfTile(u);
  if (from < 0 || to < 0 || from == to) return;
  const Point origin = ContentOrigin();
  strip::MoveItem(tiles_, from, to);
  PlaceTiles(origin);
  if (OnReorder) OnReorder(t);
}

TO_img_item* TO_img_items::TileWithPictureAt(int x, int y) const {
  auto it = std::find_if(tiles_.begin(), tiles_.end(),
                         [&](const TO_img_item* t) { return t->OnPicture(x, y); });
  return it == tiles_.end() ? nullptr : *it;
}

void TO_img_items::PlaceTiles(Point origin) {
  for (int i = 0; i < TileCount(); ++i) {
    TO_img_item* tile = tiles_[static_cast<size_t>(i)];
    tile->position(origin.x + metrics_.margin,
                   origin.y + strip::TileTop(i, tile->TileSize(), metrics_));
  }
  scroll_->init_sizes();
  scroll_->redraw();
}

}  // namespace vx::ui
