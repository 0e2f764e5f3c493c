#include "document/project_history.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vx {
namespace {

FrameRecord Frame(char name, const std::string& pointers = "") {
  const std::string id(32, name);
  return {id, std::string("/pictures/") + name + ".jpg", std::string(1, name) + ".jpg", "",
          pointers};
}

// A state named by its frames' letters, "ABC"; a '*' after a letter gives it a pointer.
ProjectState State(const std::string& frames) {
  ProjectState state;
  state.properties.outputKind = "0";
  for (size_t i = 0; i < frames.size(); ++i) {
    if (frames[i] == '*') continue;
    const bool pointer = i + 1 < frames.size() && frames[i + 1] == '*';
    state.frames.push_back(Frame(frames[i], pointer ? "<PNTRS><CLD OBJ_ID=\"1\"/></PNTRS>" : ""));
  }
  return state;
}

std::string Letters(const ProjectState& state) {
  std::string letters;
  for (const FrameRecord& frame : state.frames) {
    letters += frame.id.front();
    if (!frame.pointersText.empty()) letters += '*';
  }
  return letters;
}

TEST(ProjectHistory, StepsUndoRedoAndTheChangedMark) {
  // Each case starts at "A", saved. Steps: a state's letters records it; "<" undoes, ">"
  // redoes, "s" saves.
  struct Case {
    const char* what;
    std::vector<std::string> steps;
    const char* shown;
    bool canUndo, canRedo, changed;
  };
  const Case kCases[] = {
      {"nothing done", {}, "A", false, false, false},
      {"one action", {"AB"}, "AB", true, false, true},
      {"undone back to the saved state", {"AB", "<"}, "A", false, true, false},
      {"redone after undoing", {"AB", "<", ">"}, "AB", true, false, true},
      {"undo with nothing to undo stays", {"<", "<"}, "A", false, false, false},
      {"redo with nothing to redo stays", {"AB", ">"}, "AB", true, false, true},
      {"the same state again is no step", {"AB", "AB", "<"}, "A", false, true, false},
      {"a new action drops what could be redone",
       {"AB", "ABC", "<", "AC"},
       "AC",
       true,
       false,
       true},
      {"saved later: undoing to it clears the mark",
       {"AB", "s", "ABC", "<"},
       "AB",
       true,
       true,
       false},
      {"saved later: the opened state is a change", {"AB", "s", "<"}, "A", false, true, true},
      {"the saved state dropped from redo stays changed",
       {"AB", "s", "<", "AC", "<"},
       "A",
       false,
       true,
       true},
      {"a pointer edit, undone", {"A*", "A", "<"}, "A*", true, true, true},
      {"back and forth comes back to the saved state",
       {"B", "BA", "<", "<", ">", ">", "<", "<"},
       "A",
       false,
       true,
       false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    ProjectHistory history;
    history.Reset(State("A"), true);
    ProjectState shown = history.Current();
    for (const std::string& step : c.steps) {
      if (step == "<") {
        if (auto state = history.Undo()) shown = *state;
      } else if (step == ">") {
        if (auto state = history.Redo()) shown = *state;
      } else if (step == "s") {
        history.MarkSaved();
      } else {
        history.Record(State(step));
        shown = State(step);
      }
    }
    EXPECT_EQ(Letters(shown), c.shown);
    EXPECT_EQ(Letters(history.Current()), c.shown);
    EXPECT_EQ(history.CanUndo(), c.canUndo);
    EXPECT_EQ(history.CanRedo(), c.canRedo);
    EXPECT_EQ(history.Changed(), c.changed);
  }
}

TEST(ProjectHistory, RecoveredWorkIsChangedWithNothingToUndo) {
  ProjectHistory history;
  history.Reset(State("AB"), false);
  EXPECT_TRUE(history.Changed());
  EXPECT_FALSE(history.CanUndo());
  history.MarkSaved();
  EXPECT_FALSE(history.Changed());
}

TEST(ProjectHistory, VersionNamesTheState) {
  ProjectHistory history;
  history.Reset(State("A"), true);
  const auto opened = history.Version();
  history.Record(State("AB"));
  const auto edited = history.Version();
  EXPECT_NE(edited, opened);
  history.Undo();
  EXPECT_EQ(history.Version(), opened);
  history.Redo();
  EXPECT_EQ(history.Version(), edited);
  history.Reset(State("A"), true);
  EXPECT_NE(history.Version(), opened);
}

// What a person does to a project, each action one step; undoing every one of them gives the
// opened project's text byte for byte, and redoing them the edited one's.
TEST(ProjectHistory, UndoingEverythingGivesTheOpenedTextBack) {
  ProjectState state = State("ABC");
  state.properties.password = "secret";
  state.properties.icon = std::string(5000, 'F');
  state.stripWidth = 200;
  state.frames[1].fieldsText = "<FLDS>Line one\r\nLine two\r\n<FLD FNAME=\"Place\"/></FLDS>";
  const std::string opened = ProjectText(state);

  ProjectHistory history;
  history.Reset(state, true);
  std::vector<std::string> texts{opened};
  auto act = [&](auto change) {
    change(state);
    ASSERT_TRUE(history.Record(state));
    texts.push_back(ProjectText(state));
  };
  act([](ProjectState& s) {
    s.frames.push_back(Frame('D'));
    s.frames.push_back(Frame('E'));
  });
  act([](ProjectState& s) { std::swap(s.frames[0], s.frames[3]); });
  act([](ProjectState& s) { s.frames[2].pointersText = "<PNTRS><ARR OBJ_ID=\"9\"/></PNTRS>"; });
  act([](ProjectState& s) { s.frames.erase(s.frames.begin() + 1); });
  act([](ProjectState& s) {
    s.properties.jpegQuality = "90";
    s.properties.password.clear();
  });
  act([](ProjectState& s) { s.stripWidth = 260; });
  act([](ProjectState& s) { s.frames[0].fieldsText = "<FLDS>Changed</FLDS>"; });

  for (size_t step = texts.size() - 1; step > 0; --step) {
    const auto undone = history.Undo();
    ASSERT_TRUE(undone);
    EXPECT_EQ(ProjectText(*undone), texts[step - 1]) << "after undoing step " << step;
  }
  EXPECT_EQ(ProjectText(history.Current()), opened);
  EXPECT_FALSE(history.Changed());
  while (history.Redo()) {
  }
  EXPECT_EQ(ProjectText(history.Current()), texts.back());
}

// Random edits, undos and redos against a plain list of the states: the history shows each
// state as it was, and undoing everything gives the opened text back.
TEST(ProjectHistory, RandomEditsUndosAndRedosKeepEveryState) {
  std::mt19937 random(29);
  for (int run = 0; run < 20; ++run) {
    ProjectState state = State("ABC");
    const std::string opened = ProjectText(state);
    ProjectHistory history(run % 2 ? ProjectHistory::kDefaultBudget : 4000);
    history.Reset(state, true);
    std::vector<ProjectState> model{state};
    size_t at = 0;
    char next = 'D';
    for (int op = 0; op < 60; ++op) {
      const unsigned pick = random() % 6;
      if (pick == 0) {
        if (history.Undo()) --at;
      } else if (pick == 1) {
        if (history.Redo()) ++at;
      } else {
        state = model[at];
        auto& frames = state.frames;
        if (pick == 2 || frames.empty()) {
          if (next > 'Z') next = 'D';
          const auto place = static_cast<long>(random() % (frames.size() + 1));
          frames.insert(frames.begin() + place, Frame(next++));
        } else if (pick == 3) {
          frames.erase(frames.begin() + static_cast<long>(random() % frames.size()));
        } else if (pick == 4) {
          std::swap(frames.front(), frames.back());
        } else {
          frames[random() % frames.size()].pointersText += "<CLD/>";
        }
        if (history.Record(state)) {
          model.resize(at + 1);
          model.push_back(state);
          ++at;
        }
      }
      ASSERT_EQ(history.Current(), model[at]) << "run " << run << ", operation " << op;
    }
    while (history.Undo()) {
    }
    // A small budget forgets the oldest states; with room for all, the opened text returns.
    if (history.StateCount() == model.size()) {
      EXPECT_EQ(ProjectText(history.Current()), opened) << "run " << run;
      EXPECT_FALSE(history.Changed());
    }
  }
}

// A project of many frames with pointers, edited one frame at a time.
ProjectState LargeProject(int frames) {
  ProjectState state;
  std::string pointers = "<PNTRS>";
  for (int i = 0; i < 8; ++i)
    pointers += "<CLD OBJ_ID=\"0123456789ABCDEF0123456789ABCDE" + std::to_string(i) +
                "\" XR=\" 5.00000000000000E-0001\" YR=\" 2.50000000000000E-0001\" "
                "ARRTXT=\"A label of some length\" CL_BRUSH=\"#FFFF80\"/>";
  pointers += "</PNTRS>";
  for (int i = 0; i < frames; ++i) {
    FrameRecord frame{std::to_string(1000000 + i),
                      "/home/user/Pictures/trip/IMG_" + std::to_string(i) + ".jpg",
                      "IMG_" + std::to_string(i) + ".jpg", "<FLDS>A description</FLDS>", pointers};
    state.frames.push_back(std::move(frame));
  }
  return state;
}

TEST(ProjectHistory, AStepCostsWhatItChangedNotTheWholeProject) {
  ProjectState state = LargeProject(1000);
  const size_t projectBytes = ProjectText(state).size();
  ProjectHistory history;
  history.Reset(state, true);
  const size_t start = history.MemoryUsed();
  EXPECT_GT(start, projectBytes / 2);
  for (int step = 0; step < 100; ++step) {
    state.frames[static_cast<size_t>(step * 7)].footer = "edited " + std::to_string(step);
    history.Record(state);
  }
  // A step: a pointer per frame and the one frame it changed.
  const size_t perStep = (history.MemoryUsed() - start) / 100;
  EXPECT_LT(perStep, 1000 * sizeof(void*) * 2 + 4096) << projectBytes;
  // Undoing all and recording something else gives the memory of the dropped steps back.
  while (history.Undo()) {
  }
  state = history.Current();
  state.properties.jpegQuality = "70";
  history.Record(state);
  EXPECT_LT(history.MemoryUsed(), start + 2 * 1000 * sizeof(void*) + 4096);
}

TEST(ProjectHistory, TheOldestStepsGoWhenTheBudgetIsSpent) {
  ProjectState state = LargeProject(100);
  ProjectHistory probe;
  probe.Reset(state, true);
  // Room for the project and a few steps of one changed frame each.
  ProjectHistory history(probe.MemoryUsed() + 20000);
  history.Reset(state, true);
  for (int step = 0; step < 50; ++step) {
    state.frames[static_cast<size_t>(step)].pointersText.clear();
    history.Record(state);
  }
  EXPECT_LT(history.StateCount(), 50u);
  EXPECT_GT(history.StateCount(), 2u);
  EXPECT_LE(history.MemoryUsed(), probe.MemoryUsed() + 20000);
  // The opened state is gone, so nothing undoes back to the saved file.
  while (history.Undo()) EXPECT_TRUE(history.Changed());
  EXPECT_EQ(history.Current().frames[0].pointersText, "");

  // A single action larger than the budget can still be undone.
  ProjectHistory tiny(1);
  tiny.Reset(State("A"), true);
  tiny.Record(LargeProject(10));
  tiny.Record(LargeProject(20));
  EXPECT_EQ(tiny.StateCount(), 2u);
  ASSERT_TRUE(tiny.Undo());
  EXPECT_EQ(tiny.Current().frames.size(), 10u);
}

}  // namespace
}  // namespace vx
