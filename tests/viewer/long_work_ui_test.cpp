// Acting on the viewer while it works: whatever a person does while the strip fills, pictures
// are extracted or a zoom is resampled must find the window in one piece.
#include <filesystem>

#include "support/test_archive.h"
#include "support/ui_events.h"
#include "support/viewer_window_test.h"

namespace vx::viewer {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kFrames = 300;

std::string Half(int i) {
  return std::string("<FLDS><FLD FNAME=Half VAL=") + (i % 2 ? "odd" : "even") + "/></FLDS>";
}

int FilesIn(const fs::path& folder) {
  std::error_code ec;
  int count = 0;
  for (auto it = fs::recursive_directory_iterator(folder, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->path().extension() == ".jpg") ++count;
  }
  return count;
}

class LongWork : public test::ViewerWindowTest {
 protected:
  // Runs the action once from the event loop as soon as midway() holds, the way clicks and
  // keys arrive while the window works.
  void ActWhen(std::function<bool()> midway, std::function<void()> action) {
    acted_ = false;
    midway_ = std::move(midway);
    action_ = std::move(action);
    Fl::add_timeout(0.0, Poll, this);
  }
  static void Poll(void* data) {
    auto* self = static_cast<LongWork*>(data);
    if (self->midway_()) {
      self->acted_ = true;
      self->action_();
    } else {
      Fl::repeat_timeout(0.002, Poll, data);
    }
  }
  void TearDown() override {
    Fl::remove_timeout(Poll, this);
    ViewerWindowTest::TearDown();
  }

  int ExpectedTiles() { return window_->FilterDialog().Active() ? kFrames / 2 : kFrames; }
  int Tiles() { return window_->Strip().TileCount(); }
  int ThumbnailsIn() {
    int in = 0;
    for (int k = 0; k < Tiles(); ++k) in += window_->Strip().TileAt(k)->Pending() ? 0 : 1;
    return in;
  }

  // A person's actions: the filter applied or reset through its button, the splitter
  // dragged, keys pressed.
  struct Action {
    const char* what;
    std::function<void()> act;
  };
  std::vector<Action> Actions() {
    return {
        {"Filter and Apply",
         [this] {
           TD_filter& filter = window_->FilterDialog();
           dialogs_->onModal = [&filter](Fl_Window&) {
             if (filter.Active()) {
               filter.SB_resetClick();
             } else {
               filter.SelectCriterion("2:Half");
               filter.SetChecked("even", true);
               filter.SB_filterClick();
             }
           };
           Fl_Widget& button = window_->FilterButton();
           test::Click(*window_, button.x() + 10, button.y() + 5);
         }},
        {"splitter drag",
         [this] {
           const int at = window_->StripWidth() + 2;
           test::DragTo(*window_, at, 300, at > 200 ? at - 30 : at + 30, 300);
         }},
        {"Escape and arrows",
         [this] {
           for (int key : {FL_Escape, FL_Down, FL_Down, FL_End, FL_Up, FL_Page_Up})
             test::Key(*window_, key);
         }},
    };
  }

  bool acted_ = false;
  std::function<bool()> midway_;
  std::function<void()> action_;
};

TEST_F(LongWork, ActingWhileTheStripFillsOrPicturesAreExtracted) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, kFrames, {96, 72}, Half)));
  ASSERT_EQ(Tiles(), kFrames);
  blockDelay_ = 2ms;  // so that the work lasts long enough to act in its middle
  int round = 0;
  for (const Action& action : Actions()) {
    SCOPED_TRACE(action.what);
    // A new strip width each time, so no thumbnail comes from the cache.
    window_->SetStripWidth(160 + 20 * round++);
    ActWhen(
        [this] {
          const int in = ThumbnailsIn();
          return window_->Busy() && in >= 20 && in < ExpectedTiles();
        },
        action.act);
    window_->Rebuild();
    ASSERT_TRUE(test::WaitFor([&] { return acted_; }));
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(Tiles(), ExpectedTiles());
    ASSERT_TRUE(test::WaitFor([&] { return window_->PendingLoads() == 0; }));
    EXPECT_NE(window_->Strip().Current(), nullptr);
  }

  for (const Action& action : Actions()) {
    SCOPED_TRACE(std::string("extracting: ") + action.what);
    const fs::path folder = dir_ / ("out" + std::to_string(round++));
    const int frames = Tiles();
    ActWhen([&] { return window_->BusyPanelShown() && FilesIn(folder) >= 10; }, action.act);
    dialogs_->onModal = [&](Fl_Window&) {
      window_->ActionsDialog().SetChoice(TD_dialog_actions::What::All);
      window_->ActionsDialog().PathBox().value(folder.c_str());
      window_->ActionsDialog().SB_okClick();
    };
    window_->SB_extractClick();
    ASSERT_TRUE(test::WaitFor([&] { return acted_; }));
    ASSERT_TRUE(test::WaitFor([&] { return !window_->Busy() && FilesIn(folder) == frames; }));
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(FilesIn(folder), frames);
    EXPECT_EQ(Tiles(), ExpectedTiles());
  }
}

TEST_F(LongWork, NavigatingAndResizingWhileAZoomIsApplied) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 2, {4000, 3000})));
  TO_pgv& view = window_->View();
  PictureViewModel& model = view.Model();
  ASSERT_EQ(model.DecodedPicture().Width(), 4000);
  const int px = view.PaintX() + 400, py = view.PaintY() + 300;  // away from the lens
  test::Wheel(*window_, px, py, 1);
  test::Wheel(*window_, px, py, 1);
  ASSERT_EQ(model.State(), ZoomMode::Preview);
  ASSERT_NEAR(model.ZoomFactor(), 0.8, 1e-9);
  ActWhen([&] { return model.State() == ZoomMode::Resampling; },
          [&] {
            test::Wheel(*window_, px, py, 1);  // ignored while resampling
            test::Hover(*window_, px + 50, py);
            test::Key(*window_, FL_Down);
            window_->size(900, 650);
          });
  const int shown = picturesShown_;
  test::Hover(*window_, px, py);  // the first movement applies the zoom
  ASSERT_TRUE(test::WaitFor([&] { return acted_; }));
  ASSERT_TRUE(WaitForPictures(shown + 1));
  EXPECT_EQ(window_->Strip().IndexOfTile(window_->Strip().Current()), 1);
  EXPECT_EQ(model.State(), ZoomMode::Normal);
  EXPECT_FALSE(model.Zoomed());
  EXPECT_EQ(model.WorkingPicture().Width(), 4000);
  EXPECT_EQ(view.GaugeValue(), 0);
}

// Handlers that once let events in half-way through: a timer due before they start must
// not run until they have returned.
TEST_F(LongWork, HandlersNeverRunTheEventLoop) {
  OpenArchive(test::MakeTestArchive(dir_, "", test::SampleFrames(dir_, 2, {320, 240}), "secret"));
  dialogs_->onModal = [](Fl_Window&) {};
  const struct {
    const char* what;
    std::function<void()> handler;
  } cases[] = {
      {"Pointers", [&] { window_->PointersButton().do_callback(); }},
      {"password entry", [&] { window_->Image_keyClick(); }},
      {"print preparation", [&] { window_->SB_prntClick(); }},
      {"wheel step", [&] { window_->View().ZoomStep(false); }},
      {"fill", [&] { window_->Rebuild(); }},
      {"extraction",
       [&] {
         window_->ActionsDialog().PathBox().value((dir_ / "x").c_str());
         dialogs_->onModal = [&](Fl_Window&) { window_->ActionsDialog().SB_okClick(); };
         window_->SB_extractClick();
         dialogs_->onModal = [](Fl_Window&) {};
       }},
  };
  const Fl_Timeout_Handler mark = [](void* flag) { *static_cast<bool*>(flag) = true; };
  for (const auto& c : cases) {
    bool ran = false;
    Fl::add_timeout(0.0, mark, &ran);
    c.handler();
    EXPECT_FALSE(ran) << c.what;
    Fl::remove_timeout(mark, &ran);
    ASSERT_TRUE(WaitUntilIdle());
  }
}

}  // namespace
}  // namespace vx::viewer
