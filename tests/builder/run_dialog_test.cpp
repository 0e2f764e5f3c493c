#include "run_dialog.h"

#include <filesystem>

#include "blocks/data_blocks.h"
#include "builder/builder_test.h"
#include "document/project.h"
#include "platform/files.h"
#include "support/test_archive.h"

namespace vx::builder {
namespace {

namespace fs = std::filesystem;

class RunDialog : public test::BuilderTest {
 protected:
  RunDialog() : run_(msg_, sure_) {
    options_.viewerPath = dir_.Write("viewer-stub", "VIEWER PROGRAM");
    options_.exportFolder = dir_ / "egraphics";
  }
  // count frames; the ones listed have a source file that does not exist.
  std::unique_ptr<TKelPigger> Project(int count, const std::string& kind,
                                      std::initializer_list<int> missing = {}) {
    TKelPigger project;
    project.LoadFromText("<VX OUTPUT_FILE=\"" + Output() + "\" JPQ=80 OFT=\"" + kind + "\">" +
                         test::SampleFrames(dir_, count, {320, 240}) + "</VX>");
    for (int i : missing)
      project.Child(i)->SetAttr("SRC_FILE", dir_ / ("gone" + std::to_string(i)));
    return std::move(DocumentForMaking(project, "", ProtectionOf(project)).document);
  }
  std::string Output() const { return dir_ / "output/trip.run"; }
  // Makes and waits for the end; the result is what finished was given.
  std::optional<bool> Make(const TKelPigger& document) {
    std::optional<bool> made;
    run_.Start(document, options_, [&](bool result) { made = result; });
    EXPECT_TRUE(test::WaitFor([&] { return made.has_value(); }));
    EXPECT_FALSE(run_.shown());
    EXPECT_FALSE(run_.Running());
    return made;
  }
  std::vector<std::string> FilesInOutput() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.Path() / "output"))
      names.push_back(entry.path().filename().string());
    return names;
  }

  TDmsg msg_;
  TFsure sure_;
  TD_run run_;
  MakeOptions options_;
  std::vector<std::string> shown_;
};

TEST_F(RunDialog, MakesTheArchiveShowingMessagesInFrameOrder) {
  auto document = Project(5, "0", {1, 3});
  dialogs_->onModal = [&](Fl_Window& window) {
    ASSERT_EQ(&window, &msg_);
    shown_.push_back(msg_.Text());
  };
  EXPECT_EQ(Make(*document), true);
  EXPECT_EQ(shown_, (std::vector<std::string>{"Wrong name of grapic file " + dir_ / "gone1",
                                              "Wrong name of grapic file " + dir_ / "gone3"}));
  const std::string archive = ReadWholeFile(Output());
  EXPECT_TRUE(archive.starts_with("VIEWER PROGRAM"));
  // The description, three pictures and their thumbnails.
  EXPECT_EQ(BlockIndex(archive).List().size(), 7u);
  EXPECT_EQ(run_.Gauge().value(), 100);
  EXPECT_TRUE(run_.BreakButton().visible());
  EXPECT_FALSE(run_.Label_ec().visible());
  EXPECT_EQ(FilesInOutput(), std::vector<std::string>{"trip.run"});
}

TEST_F(RunDialog, ZipEnvelopeShowsCompressingInsteadOfTheGauge) {
  auto document = Project(2, "1");
  EXPECT_EQ(Make(*document), true);
  EXPECT_TRUE(run_.Label_ec().visible());
  EXPECT_FALSE(run_.Gauge().visible());
  EXPECT_FALSE(run_.BreakButton().visible());
  EXPECT_EQ(FilesInOutput(), std::vector<std::string>{"trip.zip"});
}

TEST_F(RunDialog, BreakInTheMiddleLeavesTheOlderArchiveAsItWas) {
  const std::string older = "the archive made last week, byte for byte";
  WriteFileAtomically(Output(), older);
  // Frame 10 of 20 is missing: the make waits at its message, and the user breaks there.
  auto document = Project(20, "0", {9});
  int questions = 0;
  dialogs_->onModal = [&](Fl_Window& window) {
    if (&window == &msg_) {
      EXPECT_TRUE(run_.shown());
      EXPECT_GT(run_.Gauge().value(), 0);
      test::ClickOn(run_.BreakButton());
    } else {
      ASSERT_EQ(&window, &sure_);
      EXPECT_STREQ(sure_.Text(), "Are you sure you want to break ?");
      ++questions;
      test::ClickOn(sure_.YesButton());
    }
  };
  EXPECT_EQ(Make(*document), false);
  EXPECT_EQ(questions, 1);
  EXPECT_LT(run_.Gauge().value(), 100);
  EXPECT_EQ(ReadWholeFile(Output()), older);
  EXPECT_EQ(FilesInOutput(), std::vector<std::string>{"trip.run"});  // no working file behind
}

TEST_F(RunDialog, BreakAnsweredNoGoesOn) {
  auto document = Project(3, "0", {1});
  dialogs_->onModal = [&](Fl_Window& window) {
    if (&window == &msg_) {
      run_.SB_breakClick();
    } else {
      test::ClickOn(sure_.NoButton());
    }
  };
  EXPECT_EQ(Make(*document), true);
  EXPECT_EQ(dialogs_->modalRuns, 2);
  EXPECT_TRUE(FileExists(Output()));
}

TEST_F(RunDialog, DialogGoingAwayStopsTheMake) {
  // The make waits at the first frame's message, which nobody has seen when the dialog goes
  // away (the program ends); its wake-up arrives after that and finds no dialog.
  auto document = Project(20, "0", {0});
  auto run = std::make_unique<TD_run>(msg_, sure_);
  bool finished = false;
  run->Start(*document, options_, [&](bool) { finished = true; });
  run.reset();
  Fl::wait(0.1);
  test::Settle();
  EXPECT_FALSE(finished);
  EXPECT_EQ(dialogs_->modalRuns, 0);
  EXPECT_TRUE(FilesInOutput().empty());
}

TEST_F(RunDialog, Screenshot) {
  auto document = Project(3, "0", {1});
  dialogs_->onModal = [&](Fl_Window&) { test::SaveWindowPng(run_, "builder-making.png"); };
  Make(*document);
}

}  // namespace
}  // namespace vx::builder
