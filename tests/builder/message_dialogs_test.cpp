#include "message_dialogs.h"

#include <FL/Fl.H>

#include "builder/builder_test.h"
#include "busy_animation.h"
#include "busy_window.h"

namespace vx::builder {
namespace {

using Messages = test::BuilderTest;

// The ways a person ends a question, as the script plays them on the shown dialog.
enum class Close { Yes, No, Enter, CloseButton, Escape };

void Answer(TFsure& dialog, Close how) {
  dialog.show();
  test::Settle();
  switch (how) {
    case Close::Yes:
      test::ClickOn(dialog.YesButton());
      break;
    case Close::No:
      test::ClickOn(dialog.NoButton());
      break;
    case Close::Enter:
      test::Key(dialog, FL_Enter);
      break;
    case Close::CloseButton:
      dialog.do_callback();  // what the window manager's close button does
      break;
    case Close::Escape:
      test::Key(dialog, FL_Escape);
      break;
  }
}

TEST_F(Messages, QuestionAnswersYesOnlyForYes) {
  TFsure sure;
  struct Case {
    const char* what;
    Close how;
    bool expected;
  } cases[] = {
      {"Yes", Close::Yes, true},        {"Enter, for the default button", Close::Enter, true},
      {"No", Close::No, false},         {"close button", Close::CloseButton, false},
      {"Escape", Close::Escape, false},
  };
  for (const Case& c : cases) {
    dialogs_->onModal = [&](Fl_Window&) { Answer(sure, c.how); };
    EXPECT_EQ(sure.Ask("Delete current picture from the project?"), c.expected) << c.what;
    EXPECT_FALSE(sure.shown()) << c.what;
  }
  EXPECT_STREQ(sure.label(), "Confirmation:");
  EXPECT_STREQ(sure.Text(), "Delete current picture from the project?");
}

TEST_F(Messages, DeleteQuestionAnswersWithTheChoiceAfterYesOnly) {
  TFsure_del sure;
  EXPECT_STREQ(sure.label(), "Confirmation");
  EXPECT_EQ(sure.RB_current().value(), 1);  // chosen when the builder starts
  struct Case {
    const char* what;
    Fl_Round_Button* chosen;  // none: neither is chosen
    Close how;
    int expected;
  } cases[] = {
      {"current, Yes", &sure.RB_current(), Close::Yes, 0},
      {"checked, Yes", &sure.RB_checked(), Close::Yes, 1},
      {"neither, Yes", nullptr, Close::Yes, -1},
      {"checked, No", &sure.RB_checked(), Close::No, -1},
      {"current, No", &sure.RB_current(), Close::No, -1},
      {"checked, Escape", &sure.RB_checked(), Close::Escape, -1},
  };
  for (const Case& c : cases) {
    if (c.chosen) {
      c.chosen->setonly();
    } else {
      sure.RB_current().value(0);
      sure.RB_checked().value(0);
    }
    dialogs_->onModal = [&](Fl_Window&) { Answer(sure, c.how); };
    EXPECT_EQ(sure.AskDelete("Delete picture(s) from the project?"), c.expected) << c.what;
  }
  // The caller's settings stay from one question to the next.
  sure.RB_current().deactivate();
  sure.RB_checked().setonly();
  dialogs_->onModal = [&](Fl_Window&) {
    EXPECT_FALSE(sure.RB_current().active());
    Answer(sure, Close::Yes);
  };
  EXPECT_EQ(sure.AskDelete("Delete picture(s) from the project?"), 1);
  EXPECT_EQ(sure.RB_checked().value(), 1);
}

TEST_F(Messages, MessageShowsItsTextUntilOk) {
  TDmsg msg;
  EXPECT_STREQ(msg.label(), "Message:");
  const int shortHeight = msg.h();
  dialogs_->onModal = [&](Fl_Window& window) {
    EXPECT_STREQ(msg.Text(), "No files to add to arhive.");
    test::ClickOn(msg.OkButton());
    EXPECT_FALSE(window.shown());
  };
  msg.ShowText("No files to add to arhive.");
  EXPECT_EQ(msg.h(), shortHeight);
  // A long text makes the dialog taller; an address keeps its @.
  std::string folders;
  for (int i = 0; i < 12; ++i) folders += " /a/rather/long/folder/name";
  const std::string text = "Wrong name of grapic file mail@example.com" + folders;
  dialogs_->onModal = [&](Fl_Window&) {
    EXPECT_EQ(msg.Text(), "Wrong name of grapic file mail@@example.com" + folders);
  };
  msg.ShowText(text);
  EXPECT_GT(msg.h(), shortHeight);
  EXPECT_LE(msg.OkButton().y() + msg.OkButton().h(), msg.h());
  dialogs_->onModal = {};
  msg.ShowText("short again");
  EXPECT_EQ(msg.h(), shortHeight);
  EXPECT_EQ(dialogs_->modalRuns, 3);
}

TEST(BusyAnimation, AngleStepsAndWraps) {
  struct Case {
    double from, to;
  } cases[] = {{0, 0.2}, {6.0, 6.2}, {6.1, 0}, {6.2, 0}};
  for (const Case& c : cases) EXPECT_NEAR(NextBusyAngle(c.from), c.to, 1e-9) << c.from;
}

TEST(BusyAnimation, PictureCentreFollowsTheEllipse) {
  const double pi = 3.14159265358979323846;
  struct Case {
    const char* what;
    double angle;
    Rect ellipse;
    Size picture;
    Point expected;
  } cases[] = {
      {"right end", 0, {10, 20, 90, 96}, {16, 16}, {82, 50}},
      {"bottom", pi / 2, {10, 20, 90, 96}, {16, 16}, {42, 88}},
      {"left end", pi, {10, 20, 90, 96}, {16, 16}, {2, 50}},
      {"odd sizes are halved by truncation", 0, {0, 0, 9, 9}, {5, 5}, {6, 2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BusyPicturePosition(c.angle, c.ellipse, c.picture), c.expected) << c.what;
  }
}

TEST_F(Messages, BusyWindowRefusesToCloseUntilStopped) {
  TD_working working;
  EXPECT_STREQ(working.label(), "working");
  working.StartBusy("Loading pictures...");
  test::Settle();
  EXPECT_TRUE(working.shown());
  working.do_callback();  // the window manager's close button
  test::Key(working, FL_Escape);
  EXPECT_TRUE(working.visible());

  // The small picture circles while busy; on a slow machine it may have moved already.
  const double startAngle = working.Angle();
  const int startX = working.Mark().x(), startY = working.Mark().y();
  ASSERT_TRUE(test::WaitFor(
      [&] { return working.Angle() >= startAngle + 0.39 || working.Angle() < startAngle; }, 10));
  EXPECT_TRUE(working.Mark().x() != startX || working.Mark().y() != startY);

  working.StopBusy();
  EXPECT_FALSE(working.visible());
  EXPECT_TRUE(working.Closable());
  const double stopped = working.Angle();
  Fl::wait(0.5);
  EXPECT_EQ(working.Angle(), stopped);  // no ticks while stopped

  // The animation goes on where it stopped; a stopped window closes when asked.
  working.StartBusy("Loading pictures...");
  EXPECT_EQ(working.Angle(), stopped);
  test::SaveWindowPng(working, "builder-busy.png");
  working.StopBusy();
  working.show();
  working.do_callback();
  EXPECT_FALSE(working.visible());
}

TEST_F(Messages, Screenshots) {
  TDmsg msg;
  TFsure sure;
  dialogs_->onModal = [&](Fl_Window& window) {
    window.show();
    test::SaveWindowPng(window, &window == &msg ? "builder-message.png" : "builder-question.png");
  };
  msg.ShowText("No project compiller found.");
  sure.Ask("Protected areas need password to be unlocked.\nSet the password for the archive now?");
}

}  // namespace
}  // namespace vx::builder
