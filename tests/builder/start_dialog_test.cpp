#include "start_dialog.h"

#include "builder/builder_test.h"

namespace vx::builder {
namespace {

using StartDialog = test::BuilderTest;

TEST_F(StartDialog, ChoosesByPictureOrByRadioAndStart) {
  TFstart start;
  EXPECT_STREQ(start.label(), "Start");
  EXPECT_EQ(start.Choice(TFstart::NewProject).value(), 1);  // chosen at first
  struct Case {
    const char* what;
    std::function<void()> act;
    int expected;
  } cases[] = {
      {"Start as it opens", [&] { test::ClickOn(start.StartButton()); }, TFstart::NewProject},
      {"picture of open", [&] { test::ClickOn(start.PictureOf(TFstart::OpenProject)); },
       TFstart::OpenProject},
      {"picture of last", [&] { test::ClickOn(start.PictureOf(TFstart::LastProject)); },
       TFstart::LastProject},
      {"radio of open, then Start",
       [&] {
         test::ClickOn(start.Choice(TFstart::OpenProject));
         EXPECT_TRUE(start.shown());
         test::ClickOn(start.StartButton());
       },
       TFstart::OpenProject},
      {"open chosen, then closed another way",
       [&] {
         start.Choice(TFstart::OpenProject).setonly();
         start.do_callback();
       },
       TFstart::NewProject},
  };
  for (const Case& c : cases) {
    dialogs_->onModal = [&](Fl_Window&) { c.act(); };
    EXPECT_EQ(start.Execute(true), c.expected) << c.what;
    EXPECT_FALSE(start.shown()) << c.what;
  }
}

TEST_F(StartDialog, LastProjectCannotBeChosenWithoutOne) {
  TFstart start;
  start.Choice(TFstart::LastProject).setonly();  // left from an earlier showing
  dialogs_->onModal = [&](Fl_Window&) {
    EXPECT_FALSE(start.Choice(TFstart::LastProject).active());
    test::ClickOn(start.Choice(TFstart::LastProject));
    test::ClickOn(start.PictureOf(TFstart::LastProject));
    EXPECT_TRUE(start.shown());  // the picture did nothing
    EXPECT_EQ(start.Choice(TFstart::LastProject).value(), 0);
    test::SaveWindowPng(start, "builder-start.png");
    test::ClickOn(start.StartButton());
  };
  EXPECT_EQ(start.Execute(false), TFstart::NewProject);
  EXPECT_EQ(dialogs_->modalRuns, 1);
}

}  // namespace
}  // namespace vx::builder
