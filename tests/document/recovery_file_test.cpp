#include "document/recovery_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "platform/process.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

// A subtree's text as the window keeps it: written as a tree of its own.
std::string Standalone(const std::string& text) {
  TKelPigger tree;
  tree.LoadFromText(text);
  return tree.SaveToText();
}

ProjectState Edited() {
  ProjectState state;
  state.properties.outputKind = "0";
  state.properties.password = "pass word";
  state.stripWidth = 240;
  state.frames.push_back({"0123456789ABCDEF0123456789ABCDEF", "/pictures/beach.jpg", "beach.jpg",
                          Standalone("<FLDS>Two\r\nlines\r\n<FLD FNAME=\"Place\"/></FLDS>"),
                          Standalone("<PNTRS><CLD OBJ_ID=\"A1\" ARRTXT=\"Sea\"/></PNTRS>")});
  state.frames.push_back(
      {"FEDCBA9876543210FEDCBA9876543210", "/pictures/hill.png", "hill", "", ""});
  return state;
}

// The id of a process that has ended and been reaped.
int EndedProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

void Age(const std::string& path, int seconds) {
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(seconds));
}

TEST(RecoveryFile, HoldsTheStateUnderTheProjectsName) {
  test::TempFolder folder;
  const std::string path = RecoveryFilePath(folder / "Vellumax.set", 4242);
  EXPECT_EQ(fs::path(path).parent_path(), folder.Path());
  WriteRecoveryFile(path, "/projects/Trip.vxpr", 4242, Edited());

  const auto project = LoadRecoveredProject(path);
  EXPECT_EQ(project->Name, "VX");
  const ProjectState read{ReadProperties(*project), StripWidthOf(*project), ReadFrames(*project)};
  EXPECT_EQ(read, Edited());
  EXPECT_EQ(ProjectText(read), ProjectText(Edited()));

  const std::string notOne = folder.Write("project.vxpr", "<VX/>");
  EXPECT_THROW(LoadRecoveredProject(notOne), std::runtime_error);
}

TEST(RecoveryFile, OffersWhatEndedBuildersLeftNewerThanTheirProjects) {
  test::TempFolder folder;
  const std::string settings = folder / "Vellumax.set";
  // This program still at work, and another program that got an ended builder's id.
  const pid_t running = fork();
  if (running == 0) {
    pause();
    _exit(0);
  }
  const int other = static_cast<int>(getppid());
  const std::string saved = folder.Write("Saved.vxpr", "<VX/>");
  const std::string stale = folder.Write("Stale.vxpr", "<VX/>");
  struct Leftover {
    const char* what;
    int writer;
    std::string projectFile;
    int age;  // seconds
    bool offered, kept;
  };
  const Leftover kLeftovers[] = {
      {"a project never saved", EndedProcess(), folder / "Project1.vxpr", 60, true, true},
      {"newer than its project", EndedProcess(), saved, 30, true, true},
      {"older than its project", EndedProcess(), stale, 200, false, false},
      {"a builder still running", running, folder / "Other.vxpr", 10, false, true},
      {"an id another program has now", other, folder / "Reused.vxpr", 20, true, true},
  };
  Age(saved, 100);
  Age(stale, 100);
  for (const Leftover& l : kLeftovers) {
    const std::string path = RecoveryFilePath(settings, l.writer);
    WriteRecoveryFile(path, l.projectFile, l.writer, Edited());
    Age(path, l.age);
  }
  const std::string broken = folder.Write("Vellumax-77.recovery", "<RECOVERY");
  const std::string others = folder.Write("Other-78.recovery", "<RECOVERY/>");

  const std::vector<Recovery> found = FindRecoveries(settings, OwnProcessId());
  kill(running, SIGKILL);
  waitpid(running, nullptr, 0);
  ASSERT_EQ(found.size(), 3u);
  // The newest first.
  EXPECT_EQ(found[0].projectFile, folder / "Reused.vxpr");
  EXPECT_EQ(found[1].projectFile, saved);
  EXPECT_EQ(found[2].projectFile, folder / "Project1.vxpr");
  for (const Leftover& l : kLeftovers) {
    EXPECT_EQ(FileExists(RecoveryFilePath(settings, l.writer)), l.kept) << l.what;
  }
  EXPECT_FALSE(FileExists(broken));
  EXPECT_TRUE(FileExists(others));

  // A file under this process's own id is a dead builder's that had the same id.
  const std::string mine = RecoveryFilePath(settings, OwnProcessId());
  WriteRecoveryFile(mine, saved, OwnProcessId(), Edited());
  EXPECT_EQ(FindRecoveries(settings, OwnProcessId()).size(), 5u) << "the running one ended";
  EXPECT_TRUE(FindRecoveries(folder / "missing/Vellumax.set", OwnProcessId()).empty());
}

TEST(RecoveryFile, AsksWithTheProjectsNameAndLocalTime) {
  const char* zone = std::getenv("TZ");
  const std::string before = zone ? zone : "";
  setenv("TZ", "UTC", 1);
  tzset();
  EXPECT_EQ(RecoveryQuestion({"/x/Vellumax-1.recovery", "/projects/Trip one.vxpr", 1796953200}),
            "Recover unsaved changes of Trip one.vxpr from 2026-12-11 01:40?");
  if (zone) {
    setenv("TZ", before.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

TEST(RecoveryFile, KeeperWritesWhileChangedAndRemovesOnceNot) {
  test::TempFolder folder;
  const std::string path = RecoveryFilePath(folder / "Vellumax.set", OwnProcessId());
  RecoveryKeeper keeper(path, OwnProcessId());
  ProjectHistory history;
  ProjectState state = Edited();
  history.Reset(state, true);

  // A dead builder that had this process's id left its file: it stays to be offered.
  WriteRecoveryFile(path, "/projects/Old.vxpr", OwnProcessId(), Edited());
  keeper.Keep(history, "/projects/Trip.vxpr");
  keeper.Remove();
  EXPECT_TRUE(FileExists(path));
  std::filesystem::remove(path);
  keeper.Keep(history, "/projects/Trip.vxpr");
  EXPECT_FALSE(FileExists(path)) << "nothing unsaved";
  state.frames.pop_back();
  history.Record(state);
  keeper.Keep(history, "/projects/Trip.vxpr");
  ASSERT_TRUE(FileExists(path));
  const auto project = LoadRecoveredProject(path);
  EXPECT_EQ(ReadFrames(*project), state.frames);
  history.Undo();
  keeper.Keep(history, "/projects/Trip.vxpr");
  EXPECT_FALSE(FileExists(path)) << "undone back to the saved state";

  // A folder that cannot be written to: the work goes on, the next keep tries again.
  RecoveryKeeper nowhere(folder / "file/Vellumax-1.recovery", 1);
  folder.Write("file", "");
  history.Redo();
  EXPECT_NO_THROW(nowhere.Keep(history, "/projects/Trip.vxpr"));
  keeper.Keep(history, "/projects/Trip.vxpr");
  EXPECT_TRUE(FileExists(path));
  keeper.Remove();
  EXPECT_FALSE(FileExists(path));
}

}  // namespace
}  // namespace vx
