// TO_img_frame: the current picture at one screen pixel per picture pixel in a scroll area,
// panned by dragging it, with its pointers as TMhint controls over it.
//
// How the main window uses it:
//   frame.ShowPicture(loader)        // or ShowBitmap(bitmap); the placeholder until then
//   frame.LoadPointers(tile.PointersText)
//   if (frame.Changed()) tile.PointersText = frame.PointersText();
//   frame.OnPictureMouseDown = [](Point picturePixel, int button) { ... add a pointer ... };
//   frame.OnPointerClick = [](TMhint& pointer) { ... edit or delete ... };
//   frame.AddPointer(picturePixel, properties, true);      // add
//   editor.EditPointer(frame, pointer);                    // edit (TF_edit_obj)
//   frame.RemovePointer(&pointer, true);                   // delete
// Positions given to and taken from the frame are picture pixels; the scroll positions and the
// picture's place in the area are the frame's own business.
//
// Every change of pointers by the author goes through AddPointer, MovePointer (also the end
// of a drag), EditPointer and RemovePointer with markChanged set, and each is reported once to
// OnPointerChange with the pointer's state before and after: the hook for undo.
#pragma once

#include <FL/Fl_Group.H>

#include <functional>
#include <string>
#include <vector>

#include "picture/bitmap.h"
#include "pointer_hint.h"
#include "pointers/placed_pointer.h"
#include "scroll_area.h"

namespace vx::builder {

struct PointerChange {
  enum Type { Added, Moved, Edited, Removed };
  Type type;
  int index;             // in the pointer list: after adding, before removing
  PlacedPointer before;  // not for Added
  PlacedPointer after;   // not for Removed
};

class TO_img_frame : public Fl_Group {
 public:
  TO_img_frame(int x, int y, int w, int h);
  ~TO_img_frame() override;

  // Clears, then shows what the loader puts into the bitmap. False (the placeholder stays)
  // when there is no loader, it answers false, throws or gives an empty picture.
  bool ShowPicture(const std::function<bool(Bitmap&)>& loader);
  // Clears, then shows a picture decoded elsewhere (on a worker, say).
  void ShowBitmap(Bitmap picture);
  // The placeholder, no pointers, unchanged.
  void Clear();
  // Scrolls home and puts the picture in the middle, or 10 pixels from the edges when it is
  // larger than the view; the pointers move with it.
  void CenterPicture();
  const Bitmap& Picture() const { return picture_; }

  // Replaces the pointers with those of a PNTRS text; unchanged afterwards.
  void LoadPointers(const std::string& text);
  // The PNTRS text of the pointers. The view returns to its top-left corner first.
  std::string PointersText();
  // The same, the view left where it is: a record of every change as it happens.
  std::string CurrentPointersText() const;

  // A new pointer anchored at the picture pixel; its identifier is new unless the properties
  // carry one.
  TMhint* AddPointer(Point at, const PointerProperties& properties, bool markChanged);
  // The pointer anchored at another picture pixel.
  void MovePointer(TMhint& pointer, Point at, bool markChanged);
  // New properties; the anchor stays (the object editor's Ok).
  void EditPointer(TMhint& pointer, const PointerProperties& properties, bool markChanged);
  // Pointers not in the list and indices out of range are ignored. Safe inside the pointer's
  // own event handling: it is deleted once that is over.
  void RemovePointer(TMhint* pointer, bool markChanged);
  void RemovePointerAt(int index, bool markChanged);
  // Nothing when out of range.
  TMhint* PointerAt(int index) const;
  int PointerCount() const { return static_cast<int>(pointers_.size()); }
  int IndexOf(const TMhint* pointer) const;
  // A pointer's properties and its anchor in picture pixels.
  PlacedPointer StateOf(const TMhint& pointer) const;

  void MarkChanged() { changed_ = true; }
  bool Changed() const { return changed_; }

  // A press on the picture, after the frame started panning: the picture pixel and the button.
  std::function<void(Point at, int button)> OnPictureMouseDown;
  // A click on a pointer that was not dragged (its anchor is already taken again).
  std::function<void(TMhint& pointer)> OnPointerClick;
  std::function<void(const PointerChange& change)> OnPointerChange;

  ScrollArea& Area() { return *area_; }
  // Where the picture's (0, 0) lies in window coordinates.
  Point PictureOrigin() const;

  void resize(int x, int y, int w, int h) override;

  // The handlers of a press, drag and release on the picture (window coordinates).
  void Image1MouseDown(int button);
  void Image1MouseMove();
  void Image1MouseUp();

 private:
  class PictureControl;
  void FrameResize();
  // The picture's (0, 0) in the area's content coordinates.
  Point PictureInContent() const;
  void Report(PointerChange::Type type, int index, const PlacedPointer& before,
              const PlacedPointer& after);
  void PointerMouseDown(TMhint& pointer, Point at);
  void PointerMouseMove(TMhint& pointer, Point at);
  void PointerMouseUp(TMhint& pointer, Point at);

  ScrollArea* area_;
  PictureControl* image_;
  Bitmap picture_;
  Bitmap placeholder_;
  std::vector<TMhint*> pointers_;
  bool changed_ = false;
  bool panning_ = false;
  Point panPress_;  // picture pixels
  bool dragging_ = false;
  bool dragMoved_ = false;
  Point dragPress_;  // within the pointer
  PlacedPointer dragStart_;
};

}  // namespace vx::builder
