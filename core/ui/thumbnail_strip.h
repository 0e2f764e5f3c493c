// The strip of square tiles both programs list their pictures in. The widgets only draw and
// forward events; sizes, places and moves come from strip/strip_geometry.h.
#pragma once

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Scroll.H>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "picture/bitmap.h"
#include "strip/strip_geometry.h"

namespace vx::ui {

// Draws a tile's full picture into the bitmap; false when it could not.
using TileLoader = std::function<bool(const std::string& id, Bitmap& picture)>;

class TO_img_items;

// One tile: a black band, a white line, the reduced picture on black (or on the current
// tile's green), a white line, and a band with the footer's check box.
class TO_img_item : public Fl_Group {
 public:
  // With a ready thumbnail (made for this size); without one the tile waits for its
  // thumbnail, and the loader is not asked for one here.
  TO_img_item(TO_img_items& strip, int x, int y, int size, std::string id, TileLoader loader,
              std::shared_ptr<const Bitmap> thumbnail = nullptr);

  // Becomes size x size and reduces its picture anew through the loader.
  void SetTileSize(int size);
  // Reduces the picture (a full one, or one already smaller) to the tile's thumbnail; an
  // empty one gives the placeholder.
  void ShowPicture(Bitmap picture);
  // A thumbnail made for this size elsewhere; none gives the placeholder.
  void SetThumbnail(std::shared_ptr<const Bitmap> thumbnail);
  // Waiting for its thumbnail: the picture's place stays dark.
  bool Pending() const { return pending_; }
  // The reduced picture (none for a placeholder); owners may keep it to build tiles again.
  std::shared_ptr<const Bitmap> Thumbnail() const { return thumbnail_; }
  int TileSize() const { return w(); }

  std::string Id;
  std::string SourceFile;
  std::string FieldsText;    // kept for the owner, never read here
  std::string PointersText;  // likewise
  // The picture was not found (or, in an archive, is damaged): the placeholder says so.
  bool Missing = false;
  const std::string& Footer() const { return footer_; }
  void SetFooter(const std::string& footer);
  bool Selected() const { return selected_; }
  void SetSelected(bool selected);
  bool Checked() const { return check_->value() != 0; }
  void SetChecked(bool checked) { check_->value(checked); }
  Fl_Check_Button& CheckBox() { return *check_; }
  const TileLoader& Loader() const { return loader_; }
  Size ThumbnailSize() const { return thumbnailSize_; }
  // True when the point (window coordinates) lies on the reduced picture.
  bool OnPicture(int x, int y) const;

 protected:
  void draw() override;
  int handle(int event) override;

 private:
  void PlaceCheckBox();

  TO_img_items& strip_;
  TileLoader loader_;
  Fl_Check_Button* check_;
  std::string footer_;
  bool selected_ = false;
  bool pending_ = false;
  Size thumbnailSize_{1, 1};
  std::shared_ptr<const Bitmap> thumbnail_;
  int pressX_ = 0, pressY_ = 0;
  bool dragging_ = false;
};

class TO_img_items : public Fl_Group {
 public:
  TO_img_items(int x, int y, int w, int h);
  ~TO_img_items() override;

  // Builds the tile's thumbnail at once (or takes the ready one); appended at the end,
  // scrolled into view.
  TO_img_item* AddTile(const std::string& id, TileLoader loader,
                       std::shared_ptr<const Bitmap> thumbnail = nullptr);
  // Appends a tile waiting for its thumbnail for each identifier, all with the same loader,
  // without scrolling; however many there are, this takes no picture work.
  void AddPendingTiles(const std::vector<std::string>& ids, const TileLoader& loader);
  void SelectTile(TO_img_item* tile);
  TO_img_item* Current() const { return current_; }
  int TileCount() const { return static_cast<int>(tiles_.size()); }
  TO_img_item* TileAt(int index) const;
  int IndexOfTile(const TO_img_item* tile) const;
  // Exact, case-sensitive; none for an empty identifier.
  TO_img_item* FindTileById(const std::string& id) const;
  void DeleteTileAt(int index);
  void ClearTiles();
  bool AnyTileChecked() const;
  void HideTiles() { scroll_->hide(); }
  void ShowTiles() { scroll_->show(); }

  void SelectPrior();
  void SelectNext();
  void SelectFirst();
  void SelectLast();
  void SelectPageUp();
  void SelectPageDown();
  // Up, Down, Home, End, Page Up and Page Down; true when the key was one of them.
  bool HandleKey(int key);
  static bool IsNavigationKey(int key);

  // The current tile's full picture through its loader.
  bool LoadCurrentPicture(Bitmap& picture);
  // Moves t to u's place; the tiles between shift towards t's old place.
  void MoveTile(TO_img_item* t, TO_img_item* u);

  int ScrollAreaWidth() const { return scroll_->w(); }
  int ScrollAreaHeight() const { return scroll_->h(); }
  int TileSizeNow() const;
  // Margins and bands at the desktop's scale.
  const strip::Metrics& StripMetrics() const { return metrics_; }
  // The tile whose picture lies under the point (window coordinates), if any.
  TO_img_item* TileWithPictureAt(int x, int y) const;
  // The tiles at least partly in sight: first to last - 1.
  std::pair<int, int> VisibleTiles() const;

  bool Busy = false;          // builder: JPEG thumbnails are decoded at a quarter size
  bool AllowReorder = false;  // dragging a tile onto another moves it
  std::function<void()> OnSelect;
  std::function<void()> OnBeforeSelect;
  std::function<void(TO_img_item*)> OnReorder;
  std::function<void(TO_img_item*)> OnCheckClick;
  // Told, when the strip is drawn, that other tiles have come into sight.
  std::function<void(int first, int last)> OnVisibleChange;

  void resize(int x, int y, int w, int h) override;

 protected:
  void draw() override;

 private:
  Point ContentOrigin() const;
  void PlaceTiles(Point origin);
  // How far the content is scrolled up, in pixels from its top.
  int ScrolledBy() const;
  void ScrollTo(int offset);
  void ScrollIntoView(const TO_img_item* tile);

  strip::Metrics metrics_;
  Fl_Scroll* scroll_;
  std::vector<TO_img_item*> tiles_;
  TO_img_item* current_ = nullptr;
  std::pair<int, int> visibleTold_{0, 0};
};

}  // namespace vx::ui
