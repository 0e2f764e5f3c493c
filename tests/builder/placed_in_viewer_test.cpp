// What the author places in the builder's frame is where the recipient sees it: pointers
// placed and dragged in the frame, made into a real archive by the maker and drawn by the
// viewer's picture view, land on the same picture pixel.
#include <FL/Fl_Double_Window.H>

#include "archive_session.h"
#include "builder/builder_test.h"
#include "document/kel_pigger.h"
#include "img_frame.h"
#include "picture_view_model.h"
#include "screenshot.h"
#include "support/test_archive.h"

namespace vx::builder {
namespace {

constexpr Color kPen = 0x34EF12;

using PlacedInViewer = test::BuilderTest;

TEST_F(PlacedInViewer, PointersLandOnTheSamePicturePixel) {
  const std::string jpeg = *EncodeJpeg(MakeSamplePicture(640, 480, 21), 90);
  const std::string source = dir_.Write("photo.jpg", jpeg);

  Fl_Double_Window window(500, 400, "frame");
  auto* frame = new TO_img_frame(0, 0, 500, 400);
  window.end();
  window.show();
  frame->ShowBitmap(DecodeJpeg(jpeg));
  const Size picture{frame->Picture().Width(), frame->Picture().Height()};
  ASSERT_EQ(picture, (Size{640, 480}));
  struct Case {
    const char* what;
    int kind;
    Point at;
    bool leftToRight, bottomToTop;
    Point penNearAnchor;  // where the control shows the pen, from the anchor
  } cases[] = {
      {"Облако — café", 1, {101, 203}, false, false, {0, -1}},  // the tail's tip is below
      {"cloud below, to the left", 1, {333, 77}, true, true, {0, 0}},
      {"arrow", 2, {250, 301}, false, false, {0, 0}},
      {"area", 3, {37, 341}, false, false, {0, 0}},
  };
  for (const Case& c : cases) {
    PointerProperties p = NewPointer(c.kind, c.what, 0x000080, kPen, 0xFFFFFF);
    p.leftToRight = c.leftToRight;
    p.bottomToTop = c.bottomToTop;
    frame->AddPointer(c.at, p, true);
  }
  // The author drags the arrow by hand, with the view scrolled.
  frame->Area().ScrollTo(40, 30);
  test::Settle();
  TMhint& arrow = *frame->PointerAt(2);
  const Point grip{arrow.x() + arrow.w() / 2, arrow.y() + arrow.h() / 2};
  test::DragTo(window, grip.x, grip.y, grip.x + 13, grip.y - 7);
  cases[2].at = {263, 294};
  EXPECT_EQ(frame->StateOf(arrow).anchor, cases[2].at);

  // The builder shows the pen at the anchor of each pointer.
  const std::string pointersText = frame->PointersText();  // scrolls home
  test::Settle();
  // Drawn off the screen: windows of tests running beside this one may cover it.
  const Bitmap shown = DrawWindow(window);
  const Point origin = frame->PictureOrigin();
  for (const Case& c : cases) {
    EXPECT_EQ(
        shown.Pixel(origin.x + c.at.x + c.penNearAnchor.x, origin.y + c.at.y + c.penNearAnchor.y),
        kPen)
        << c.what;
  }
  SavePng(shown, test::TestOutputPath("builder-frame-placed.png"));

  const std::string frameText =
      "<FRAME FRAME_ID=F0 SRC_FILE=\"" + source + "\">" + pointersText + "</FRAME>";
  // Saved in a project file and opened again, the frame gets the same pointers.
  {
    TKelPigger project;
    project.LoadFromText("<VX>" + frameText + "</VX>");
    project.SaveToFile(dir_ / "trip.vxpr");
    TKelPigger opened;
    opened.LoadFromFile(dir_ / "trip.vxpr");
    frame->LoadPointers(opened.FindChild("FRAME")->FindChild("PNTRS")->SaveToText());
    EXPECT_EQ(frame->PointersText(), pointersText);
    EXPECT_EQ(frame->PointerAt(0)->LabelText(), cases[0].what);
  }
  const std::string archive = test::MakeTestArchive(dir_, "", frameText);
  ASSERT_FALSE(archive.empty());
  const ArchiveImage image(archive);
  viewer::ArchiveSession session([&](std::string_view name) { return image.ReadBlock(name); });
  ASSERT_TRUE(session.LoadDescription());
  viewer::PictureViewModel view;
  view.SetPaintBoxSize({800, 600});
  ASSERT_TRUE(view.SetFrame(session.FrameById("F0")->SaveToText()));
  ASSERT_TRUE(view.LoadPicture([&](Bitmap& bitmap) {
    auto loaded = session.LoadFramePicture("F0", JpegScale::Full, {});
    if (loaded) bitmap = std::move(*loaded);
    return loaded.has_value();
  }));
  const Bitmap& seen = view.WorkingPicture();
  ASSERT_EQ((Size{seen.Width(), seen.Height()}), picture) << "shown at its own size";
  SavePng(seen, test::TestOutputPath("viewer-placed.png"));
  for (const Case& c : cases) EXPECT_EQ(seen.Pixel(c.at.x, c.at.y), kPen) << c.what;
  // Labels arrive as the author typed them, in any script.
  const TKelPigger* pointers = session.FrameById("F0")->FindChild("PNTRS");
  ASSERT_NE(pointers, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(pointers->Child(i)->GetAttr("ARRTXT"), cases[i].what);
}

}  // namespace
}  // namespace vx::builder
