#include "new_project_wizard.h"

#include "builder/builder_test.h"
#include "document/vocabulary.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "sample_pictures.h"

namespace vx::builder {
namespace {

namespace n = names;

class NewProjectWizard : public test::BuilderTest {
 protected:
  NewProjectWizard() : wizard_(msg_) {
    wizard_.Inputs = {Proposed(), dir_ / "output", dir_ / "graphics", 80};
  }
  std::string Proposed() const {
    return dir_ / ("output/Project1" + std::string(kExecutableExtension));
  }
  // A JPEG photo in the pictures folder.
  std::string Picture(const std::string& name, Size size = {320, 240}) {
    const std::string path = dir_ / ("graphics/" + name);
    WriteFileAtomically(path, *EncodeJpeg(MakeSamplePicture(size.width, size.height, 7), 85));
    return path;
  }
  // Runs the wizard with the script acting on it; what TDmsg shows is collected.
  bool Run(const std::function<void()>& script) {
    dialogs_->onModal = [this, script](Fl_Window& window) {
      if (&window == &msg_) {
        shown_.push_back(msg_.Text());
        return;
      }
      script();
    };
    return wizard_.RunWizard();
  }
  void Next() { test::ClickOn(wizard_.NextButton()); }
  void Prior() { test::ClickOn(wizard_.PriorButton()); }
  void AddPictures(std::vector<std::string> paths) {
    dialogs_->filesToOpen = std::move(paths);
    test::ClickOn(wizard_.Source().AddButton());
  }
  // Pages 1 to 3 with the pictures, ending on the destination page.
  void ToDestination(std::vector<std::string> paths) {
    Next();
    Next();
    AddPictures(std::move(paths));
    Next();
  }
  void Select(int entry) {
    wizard_.Source().Files().value(entry + 1);
    wizard_.Source().Files().do_callback();
  }
  void WaitForPreview() {
    EXPECT_TRUE(test::WaitFor([&] { return !wizard_.Source().PreviewBusy(); }));
  }
  std::vector<std::string> SourcesOf(const TKelPigger& result) const {
    std::vector<std::string> sources;
    for (int i = 0; i < result.ChildCount(); ++i)
      sources.push_back(result.Child(i)->GetAttr(n::kSourceFile));
    return sources;
  }

  TDmsg msg_;
  TW_new_prj wizard_;
  std::vector<std::string> shown_;
};

TEST_F(NewProjectWizard, OkOnlyOnTheLastPageAfterBothForwardChecks) {
  const std::string beach = Picture("beach.jpg");
  const bool finished = Run([&] {
    EXPECT_EQ(wizard_.ActivePage(), TW_new_prj::WelcomePage);
    EXPECT_FALSE(wizard_.PriorButton().active());
    for (int page = 0; page < 5; ++page) {
      if (page == TW_new_prj::PicturesPage) {
        Next();  // an empty list stays
        EXPECT_EQ(shown_, std::vector<std::string>{"No files to add to arhive."});
        EXPECT_EQ(wizard_.ActivePage(), TW_new_prj::PicturesPage);
        Prior();  // backward is always allowed
        EXPECT_EQ(wizard_.ActivePage(), TW_new_prj::KindPage);
        Next();
        AddPictures({beach});
      }
      if (page == TW_new_prj::DestinationPage) {
        shown_.clear();
        const std::string run = kExecutableExtension;
        for (const std::string& bad :
             {run, dir_ / "output/", dir_ / ("output/" + run), std::string("   "), std::string()}) {
          wizard_.ArchiveFileEdit().value(bad.c_str());
          Next();
          EXPECT_EQ(wizard_.ActivePage(), TW_new_prj::DestinationPage) << bad;
        }
        EXPECT_EQ(shown_, std::vector<std::string>(5, "No output file deffined."));
        wizard_.ArchiveFileEdit().value((dir_ / "output/Trip").c_str());
      }
      EXPECT_EQ(wizard_.ActivePage(), page);
      EXPECT_FALSE(wizard_.OkButton().active()) << page;
      EXPECT_TRUE(wizard_.NextButton().active()) << page;
      Next();
    }
    EXPECT_EQ(wizard_.ActivePage(), TW_new_prj::FinishPage);
    EXPECT_TRUE(wizard_.OkButton().active());
    EXPECT_FALSE(wizard_.NextButton().active());
    EXPECT_TRUE(wizard_.PriorButton().active());
    test::ClickOn(wizard_.OkButton());
  });
  EXPECT_TRUE(finished);
  EXPECT_EQ(SourcesOf(wizard_.Result()), std::vector<std::string>{beach});
  EXPECT_EQ(wizard_.Result().GetAttr(n::kOutputFile), dir_ / "output/Trip");
  EXPECT_FALSE(wizard_.EasyChosen());
}

TEST_F(NewProjectWizard, CancelOrClosingIsNotFinished) {
  const std::string beach = Picture("beach.jpg");
  for (bool closeButton : {false, true}) {
    const bool finished = Run([&] {
      ToDestination({beach});
      if (closeButton) {
        wizard_.do_callback();
      } else {
        test::ClickOn(wizard_.CancelButton());
      }
      EXPECT_FALSE(wizard_.shown());
    });
    EXPECT_FALSE(finished) << closeButton;
  }
}

TEST_F(NewProjectWizard, KeepsEachPictureOnceWhateverItsCase) {
  const std::string a = Picture("a.jpg"), b = Picture("b.jpg");
  Run([&] {
    Next();
    Next();
    AddPictures({a, b, a});
    AddPictures({dir_ / "GRAPHICS/A.JPG", b});
    EXPECT_EQ(dialogs_->openChoices.back().folder, dir_ / "graphics");
    EXPECT_TRUE(dialogs_->openChoices.back().multiple);
    EXPECT_NE(dialogs_->openChoices.back().filter.find("jpg"), std::string::npos);
    EXPECT_EQ(wizard_.Source().List().Entries(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(wizard_.Source().Files().size(), 2);
    EXPECT_STREQ(wizard_.Source().Files().text(1), "a.jpg");  // the name without its folder
  });
}

TEST_F(NewProjectWizard, KindSetsExtensionDialogAndHint) {
  const std::string run = kExecutableExtension;
  Run([&] {
    Next();
    EXPECT_EQ(wizard_.ArchiveFileEdit().value(), Proposed());
    struct Case {
      OutputKind kind;
      std::string extension, filter;
      bool hint;
    } cases[] = {
        {kEnvelopedKind, ".zip", "ZIP\t*.zip", true},
        {kExecutableKind, run, "Executable\t*" + run, true},
        {kJpegZipKind, ".zip", "ZIP\t*.zip", false},
        {kExecutableKind, run, "Executable\t*" + run, true},
    };
    for (const Case& c : cases) {
      test::ClickOn(wizard_.KindButton(c.kind));
      EXPECT_EQ(wizard_.Kind(), c.kind);
      EXPECT_EQ(wizard_.ArchiveFileEdit().value(), dir_ / ("output/Project1" + c.extension));
      EXPECT_EQ(wizard_.DestinationChoice().filter, c.filter);
      EXPECT_EQ(wizard_.DestinationChoice().extension, c.extension);
      EXPECT_EQ(wizard_.DestinationChoice().folder, dir_ / "output");
      EXPECT_EQ(wizard_.KindHint().visible() != 0, c.hint);
    }
  });
}

TEST_F(NewProjectWizard, RunBoxOnlyForEasyWithTheFirstKind) {
  Run([&] {
    EXPECT_FALSE(wizard_.RunBox().active());
    EXPECT_FALSE(wizard_.RunBox().value());
    wizard_.FinishButton(true).setonly();
    wizard_.FinishButton(true).do_callback();
    EXPECT_TRUE(wizard_.RunBox().active());
    EXPECT_TRUE(wizard_.RunBox().value());
    Next();
    struct Step {
      OutputKind kind;
      bool on;
    } steps[] = {{kEnvelopedKind, false}, {kExecutableKind, true}, {kJpegZipKind, false}};
    for (const Step& step : steps) {
      test::ClickOn(wizard_.KindButton(step.kind));
      EXPECT_EQ(wizard_.RunBox().active() != 0, step.on);
      EXPECT_EQ(wizard_.RunBox().value() != 0, step.on);
    }
    wizard_.FinishButton(false).setonly();
    wizard_.FinishButton(false).do_callback();
    test::ClickOn(wizard_.KindButton(kExecutableKind));
    EXPECT_FALSE(wizard_.RunBox().active());
    EXPECT_FALSE(wizard_.RunBox().value());
  });
}

TEST_F(NewProjectWizard, SecondRunStartsWithTheFirstRunsChoices) {
  const std::string a = Picture("a.jpg"), b = Picture("b.jpg");
  auto finish = [&] {
    while (wizard_.ActivePage() < TW_new_prj::FinishPage) Next();
    test::ClickOn(wizard_.OkButton());
  };
  ASSERT_TRUE(Run([&] {
    ToDestination({b, a});
    wizard_.FinishButton(true).setonly();
    wizard_.FinishButton(true).do_callback();
    finish();
  }));
  const std::string firstId = wizard_.Result().Child(0)->GetAttr(n::kFrameId);

  wizard_.Inputs = {dir_ / "output/Project2.zip", dir_ / "output", dir_ / "graphics", 55};
  ASSERT_TRUE(Run([&] {
    EXPECT_EQ(wizard_.ActivePage(), TW_new_prj::WelcomePage);
    EXPECT_EQ(wizard_.Source().Count(), 2);
    EXPECT_TRUE(wizard_.EasyChosen());
    EXPECT_TRUE(wizard_.RunBox().value());
    // The proposed name gets the kind's extension.
    EXPECT_EQ(wizard_.ArchiveFileEdit().value(),
              dir_ / ("output/Project2" + std::string(kExecutableExtension)));
    EXPECT_STREQ(wizard_.QualityText(), "55");
    finish();
  }));
  const TKelPigger& result = wizard_.Result();
  EXPECT_EQ(result.Name, "WZ");
  EXPECT_EQ(SourcesOf(result), (std::vector<std::string>{b, a}));
  EXPECT_EQ(result.GetAttr(n::kJpegQuality), "55");
  EXPECT_EQ(result.GetAttr(n::kOutputKind), "0");
  EXPECT_NE(result.Child(0)->GetAttr(n::kFrameId), firstId);  // new identifiers each run
  EXPECT_EQ(result.Child(1)->GetAttr(n::kFooter), "a.jpg");
  EXPECT_TRUE(wizard_.EasyChosen());
  EXPECT_TRUE(wizard_.RunAfterExit());
}

TEST_F(NewProjectWizard, QualityBarAndItsLabel) {
  wizard_.Inputs.jpegQuality = 5;  // below the bar's range
  Run([&] {
    EXPECT_EQ(wizard_.QualityBar().value(), 10);
    EXPECT_STREQ(wizard_.QualityText(), "10");
    wizard_.QualityBar().value(73);
    wizard_.QualityBar().do_callback();
    EXPECT_STREQ(wizard_.QualityText(), "73");
  });
}

TEST_F(NewProjectWizard, DestinationDialogStartsAtTheEditsFile) {
  Run([&] {
    ToDestination({Picture("a.jpg")});
    dialogs_->fileToSave = dir_ / "elsewhere/trip.zip";
    test::ClickOn(wizard_.DestinationButton());
    ASSERT_EQ(dialogs_->saveChoices.size(), 1u);
    const ui::FileChoice& choice = dialogs_->saveChoices[0];
    EXPECT_EQ(choice.folder, dir_ / "output");
    EXPECT_EQ(choice.name, "Project1" + std::string(kExecutableExtension));
    EXPECT_EQ(choice.extension, kExecutableExtension);
    // The chosen file, with the kind's extension.
    EXPECT_EQ(wizard_.ArchiveFileEdit().value(),
              dir_ / ("elsewhere/trip" + std::string(kExecutableExtension)));
    dialogs_->fileToSave.reset();
    test::ClickOn(wizard_.DestinationButton());
    EXPECT_EQ(dialogs_->saveChoices.back().folder, dir_ / "elsewhere");
    EXPECT_EQ(wizard_.ArchiveFileEdit().value(),
              dir_ / ("elsewhere/trip" + std::string(kExecutableExtension)));
  });
}

TEST_F(NewProjectWizard, ListButtonsPathAndPreview) {
  const std::string wide = Picture("wide.jpg", {1600, 800}), tall = Picture("tall.jpg", {300, 600});
  const std::string broken = dir_.Write("graphics/broken.jpg", "\xFF\xD8\xFF not a picture");
  Run([&] {
    Next();
    Next();
    AddPictures({wide, tall, broken});
    TOW_source& source = wizard_.Source();
    struct Expect {
      int selected;
      bool del, up, down;
    };
    auto check = [&](const Expect& e) {
      EXPECT_EQ(source.List().Selected(), e.selected);
      EXPECT_EQ(source.DelButton().active() != 0, e.del) << e.selected;
      EXPECT_EQ(source.UpButton().active() != 0, e.up) << e.selected;
      EXPECT_EQ(source.DownButton().active() != 0, e.down) << e.selected;
      EXPECT_EQ(source.PathField().value(), source.Entry(e.selected));
    };
    check({-1, false, false, false});
    EXPECT_FALSE(source.Preview().solid);

    // Box less 8 in each direction, proportions kept.
    const int boxW = source.Preview().w() - 8, boxH = source.Preview().h() - 8;
    Select(0);
    check({0, true, false, true});
    WaitForPreview();
    ASSERT_TRUE(source.Preview().picture);
    EXPECT_TRUE(source.Preview().solid);
    EXPECT_EQ(source.Preview().picture->Width(), boxW);
    EXPECT_EQ(source.Preview().picture->Height(), RoundHalfEven(boxW / 2.0));
    test::SaveWindowPng(wizard_, "builder-wizard-pictures.png");
    Select(1);
    check({1, true, true, true});
    WaitForPreview();
    ASSERT_TRUE(source.Preview().picture);
    EXPECT_EQ(source.Preview().picture->Height(), boxH);
    Select(2);  // cannot be read: no preview
    check({2, true, true, false});
    WaitForPreview();
    EXPECT_FALSE(source.Preview().picture);

    test::ClickOn(source.UpButton());
    EXPECT_EQ(source.List().Entries(), (std::vector<std::string>{wide, broken, tall}));
    check({1, true, true, true});
    EXPECT_STREQ(source.Files().text(2), "broken.jpg");
    test::ClickOn(source.DownButton());
    test::ClickOn(source.DownButton());  // at the end: nothing
    EXPECT_EQ(source.List().Entries(), (std::vector<std::string>{wide, tall, broken}));
    check({2, true, true, false});

    source.PreviewCheck().value(0);
    source.PreviewCheck().do_callback();
    EXPECT_FALSE(source.Preview().solid);
    EXPECT_FALSE(source.Preview().picture);
    EXPECT_FALSE(source.PreviewBusy());

    test::ClickOn(source.DelButton());  // the last: nothing comes to its place
    check({-1, false, false, false});
    Select(0);
    test::ClickOn(source.DelButton());  // the next comes to its place
    EXPECT_EQ(source.List().Entries(), std::vector<std::string>{tall});
    check({0, true, false, false});
  });
}

TEST_F(NewProjectWizard, DoubleClickInTheListAdds) {
  const std::string a = Picture("a.jpg"), b = Picture("b.jpg");
  Run([&] {
    Next();
    Next();
    AddPictures({a});
    TOW_source& source = wizard_.Source();
    dialogs_->filesToOpen = {b};
    Fl_Widget& list = source.Files();
    const int x = list.x() + 10, y = list.y() + 6;
    test::Click(wizard_, x, y);
    EXPECT_EQ(source.Count(), 1);  // one click selects
    EXPECT_EQ(source.List().Selected(), 0);
    // The second press of a double click.
    test::MoveMouse(wizard_, x, y);
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_state = FL_BUTTON1;
    Fl::e_clicks = 1;
    Fl::handle(FL_PUSH, &wizard_);
    test::Release(wizard_, x, y);
    EXPECT_EQ(source.List().Entries(), (std::vector<std::string>{a, b}));
  });
}

}  // namespace
}  // namespace vx::builder
