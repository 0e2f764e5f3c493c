// The current picture frame and its pointer controls in a real window, driven by synthesised
// mouse events.
#include "img_frame.h"

#include <FL/Fl_Double_Window.H>

#include "builder/builder_test.h"
#include "document/kel_pigger.h"
#include "sample_pictures.h"

namespace vx::builder {
namespace {

constexpr int kWidth = 400, kHeight = 300;

PointerProperties Pointer(int kind, const std::string& label = "label") {
  return NewPointer(kind, label, 0x0000FF, 0x808080, 0x80FFFF);
}

class FrameTest : public test::BuilderTest {
 protected:
  FrameTest() : window_(kWidth, kHeight, "frame") {
    TMhint::SetFixedTextMetrics(Size{100, 13});
    frame_ = new TO_img_frame(0, 0, kWidth, kHeight);
    window_.end();
    window_.resizable(frame_);
    window_.show();
    test::Settle();
  }
  ~FrameTest() override { TMhint::SetFixedTextMetrics(std::nullopt); }

  void Show(int w, int h) { frame_->ShowBitmap(MakeSamplePicture(w, h, 7)); }
  // Where a pointer's control lies in the area's visible coordinates.
  Point Visible(const TMhint& hint) {
    return {hint.x() - frame_->Area().OriginX(), hint.y() - frame_->Area().OriginY()};
  }
  // A window point on the pointer's body: the middle of its top part.
  Point OnBody(const TMhint& hint) { return {hint.x() + hint.w() / 2, hint.y() + 8}; }

  Fl_Double_Window window_;
  TO_img_frame* frame_;
};

TEST_F(FrameTest, ControlsLieAroundTheirAnchors) {
  // The view's top-left corner is picture point (0, 0) plus the picture's place.
  Show(1000, 800);
  const Point home = frame_->PictureOrigin();
  EXPECT_EQ(home.x - frame_->Area().OriginX(), 10);
  EXPECT_EQ(home.y - frame_->Area().OriginY(), 10);
  struct Case {
    const char* what;
    int kind;
    bool leftToRight, bottomToTop;
    Point anchor;  // visible coordinates
    Rect placed;
  } cases[] = {
      {"cloud", 1, false, false, {50, 100}, {40, 65, 150, 100}},
      {"cloud bottom-to-top", 1, false, true, {50, 100}, {40, 100, 150, 135}},
      {"cloud left-to-right", 1, true, false, {50, 100}, {-50, 65, 60, 100}},
      {"arrow", 2, false, false, {50, 100}, {50, 74, 186, 126}},
      {"arrow left-to-right", 2, true, false, {50, 100}, {-86, 74, 50, 126}},
      {"area", 3, false, false, {30, 40}, {30, 40, 328, 95}},
  };
  for (const Case& c : cases) {
    PointerProperties p = Pointer(c.kind);
    p.leftToRight = c.leftToRight;
    p.bottomToTop = c.bottomToTop;
    TMhint* hint = frame_->AddPointer({c.anchor.x - 10, c.anchor.y - 10}, p, false);
    const Point at = Visible(*hint);
    EXPECT_EQ((Rect{at.x, at.y, at.x + hint->w(), at.y + hint->h()}), c.placed) << c.what;
    EXPECT_EQ(hint->AnchorX(), c.anchor.x) << c.what;
    EXPECT_EQ(hint->AnchorY(), c.anchor.y) << c.what;
  }

  // Another kind keeps the anchor and moves the control.
  TMhint& cloud = *frame_->PointerAt(0);
  cloud.SetKind(2);
  EXPECT_EQ(Visible(cloud), (Point{50, 74}));
  EXPECT_EQ(frame_->StateOf(cloud).anchor, (Point{40, 90}));

  // A hidden control ignores a new label.
  TMhint hidden;
  hidden.SetLabel("ignored");
  EXPECT_EQ(hidden.LabelText(), "");
  EXPECT_FALSE(hidden.visible());
}

TEST_F(FrameTest, ScrolledPointerIsDraggedAndWritten) {
  Show(200, 1000);
  const Point home = frame_->PictureOrigin();
  EXPECT_EQ(home.y - frame_->Area().OriginY(), 10);
  EXPECT_EQ(home.x - frame_->Area().OriginX(), (frame_->Area().ViewWidth() - 200) / 2);
  frame_->Area().ScrollTo(0, 200);
  // Content y 300 is picture y 290.
  TMhint* hint = frame_->AddPointer({50, 290}, Pointer(1), true);
  EXPECT_EQ(hint->AnchorY(), 100);
  EXPECT_EQ(Visible(*hint).y, 100 - 35);
  std::vector<PointerChange> changes;
  frame_->OnPointerChange = [&](const PointerChange& change) { changes.push_back(change); };
  int clicks = 0;
  frame_->OnPointerClick = [&](TMhint&) { ++clicks; };

  const Point from = OnBody(*hint);
  test::DragTo(window_, from.x, from.y, from.x, from.y + 15);
  EXPECT_EQ(hint->ContentAnchor().y, 315);
  EXPECT_EQ(clicks, 0) << "a drag is no click";
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].type, PointerChange::Moved);
  EXPECT_EQ(changes[0].before.anchor, (Point{50, 290}));
  EXPECT_EQ(changes[0].after.anchor, (Point{50, 305}));

  TKelPigger written;
  written.LoadFromText(frame_->PointersText());
  EXPECT_EQ(frame_->Area().YPosition(), 0) << "the view returns home to write";
  ASSERT_EQ(written.ChildCount(), 1);
  EXPECT_EQ(written.Child(0)->GetAttr("YR"), RealToText(305 / 1000.0));
  EXPECT_EQ(written.Child(0)->GetAttr("XR"), RealToText(50 / 200.0));

  const Point now = OnBody(*hint);
  test::Click(window_, now.x, now.y);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes.size(), 1u);
  test::SaveWindowPng(window_, "builder-frame-dragged.png");
}

TEST_F(FrameTest, PicturesCentreAndPan) {
  Show(100, 50);
  EXPECT_EQ(frame_->Area().ViewWidth(), kWidth) << "no scroll bars";
  EXPECT_EQ(frame_->Area().ViewHeight(), kHeight);
  EXPECT_EQ(frame_->PictureOrigin().x - frame_->Area().OriginX(), (kWidth - 100) / 2);
  EXPECT_EQ(frame_->PictureOrigin().y - frame_->Area().OriginY(), (kHeight - 50) / 2);

  Show(1000, 800);
  int presses = 0;
  Point pressedAt;
  frame_->OnPictureMouseDown = [&](Point at, int) {
    ++presses;
    pressedAt = at;
  };
  test::DragTo(window_, 200, 200, 150, 120);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(pressedAt, (Point{190, 190}));
  EXPECT_EQ(frame_->Area().XPosition(), 50);
  EXPECT_EQ(frame_->Area().YPosition(), 80);
  test::DragTo(window_, 100, 100, 300, 300);
  EXPECT_EQ(frame_->Area().XPosition(), 0) << "no further than the picture's edge";
  EXPECT_EQ(frame_->Area().YPosition(), 0);
  test::DragTo(window_, 300, 250, 0, 0);
  test::DragTo(window_, 300, 250, 0, 0);
  test::DragTo(window_, 300, 250, 0, 0);
  test::DragTo(window_, 300, 250, 0, 0);
  EXPECT_EQ(frame_->Area().XPosition(), 1020 - frame_->Area().ViewWidth());
  EXPECT_EQ(frame_->Area().YPosition(), 820 - frame_->Area().ViewHeight());

  // The wheel scrolls, as do the scroll bars.
  frame_->Area().ScrollTo(0, 0);
  test::Wheel(window_, 200, 200, 1);
  EXPECT_EQ(frame_->Area().YPosition(), 48);
  Fl_Scrollbar& horizontal =
      *static_cast<Fl_Scrollbar*>(frame_->Area().child(frame_->Area().children() - 2));
  horizontal.value(120);
  horizontal.do_callback();
  EXPECT_EQ(frame_->Area().XPosition(), 120);

  // A press on the empty part of an arrow's box reaches the picture below.
  frame_->Area().ScrollTo(0, 0);
  TMhint* arrow = frame_->AddPointer({100, 100}, Pointer(2), false);
  presses = 0;
  test::Click(window_, arrow->x() + arrow->w() - 2, arrow->y() + 2);
  EXPECT_EQ(presses, 1);
}

TEST_F(FrameTest, LoadsWritesAndKeepsTheChangedFlag) {
  int views = 0;
  EXPECT_FALSE(frame_->ShowPicture(nullptr));
  EXPECT_FALSE(frame_->ShowPicture([&](Bitmap&) -> bool { throw std::runtime_error("bad"); }));
  EXPECT_FALSE(frame_->ShowPicture([&](Bitmap& b) {
    b = Bitmap(10, 10);
    ++views;
    return false;
  }));
  EXPECT_EQ(views, 1);
  EXPECT_EQ(frame_->Picture().Width(), 50) << "the placeholder stays";
  EXPECT_TRUE(frame_->ShowPicture([](Bitmap& b) {
    b = MakeSamplePicture(400, 200, 3);
    return true;
  }));

  frame_->LoadPointers(
      "<PNTRS><CLD OBJ_ID=A XR=0.5 YR=0.25 ARRTXT=\"Ёлка — été\"/><NOTE/>"
      "<ARR XR=0.1 YR=0.1 L2R=Y/><PRAR XR=0 YR=0 RFW=0.5 RFH=0.5/></PNTRS>");
  EXPECT_FALSE(frame_->Changed());
  ASSERT_EQ(frame_->PointerCount(), 3);
  EXPECT_EQ(frame_->StateOf(*frame_->PointerAt(0)).anchor, (Point{200, 50}));
  EXPECT_EQ(frame_->PointerAt(0)->ObjId(), "A");
  EXPECT_EQ(frame_->PointerAt(1)->ObjId().size(), 32u) << "a new identifier";
  EXPECT_TRUE(frame_->PointerAt(1)->LeftToRight());
  EXPECT_EQ(frame_->PointerAt(2)->AreaWidth(), 200);
  EXPECT_EQ(frame_->PointerAt(3), nullptr);
  EXPECT_EQ(frame_->PointerAt(-1), nullptr);

  // Resizing centres the picture again; the pointers stay on their picture points.
  const std::string before = frame_->PointersText();
  window_.size(kWidth + 120, kHeight + 60);
  test::Settle();
  EXPECT_EQ(frame_->PointersText(), before);
  EXPECT_FALSE(frame_->Changed());

  std::vector<PointerChange::Type> changes;
  frame_->OnPointerChange = [&](const PointerChange& change) { changes.push_back(change.type); };
  frame_->RemovePointerAt(7, true);
  frame_->RemovePointer(nullptr, true);
  EXPECT_FALSE(frame_->Changed()) << "nothing to remove";
  TMhint* added = frame_->AddPointer({5, 5}, Pointer(3), true);
  PointerProperties edited = added->Properties();
  edited.label = "Новая";
  frame_->EditPointer(*added, edited, true);
  EXPECT_EQ(frame_->StateOf(*added).anchor, (Point{5, 5}));
  frame_->MovePointer(*added, {7, 9}, true);
  frame_->RemovePointer(added, true);
  test::Settle();
  EXPECT_EQ(changes,
            (std::vector<PointerChange::Type>{PointerChange::Added, PointerChange::Edited,
                                              PointerChange::Moved, PointerChange::Removed}));
  EXPECT_TRUE(frame_->Changed());
  EXPECT_EQ(frame_->PointerCount(), 3);

  frame_->Clear();
  EXPECT_FALSE(frame_->Changed());
  EXPECT_EQ(frame_->PointerCount(), 0);
  TKelPigger empty;
  empty.SetName("PNTRS");
  EXPECT_EQ(frame_->PointersText(), empty.SaveToText());
}

}  // namespace
}  // namespace vx::builder
