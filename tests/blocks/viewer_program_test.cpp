// The real viewer program: refusing without a description, starting with one, deltemp.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "blocks/data_blocks.h"
#include "platform/files.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

using namespace std::chrono_literals;

std::string CopyViewer(const test::TempFolder& dir, const std::string& name) {
  const std::string path = dir / name;
  std::filesystem::copy_file(VX_VIEWER_PATH, path);
  return path;
}

// Runs the program; returns its exit status, or -1 if it was still running after the wait
// (and was then stopped). Without a display, messages go to stderr instead of a box.
int RunProgram(const std::string& program, const char* argument, std::chrono::milliseconds wait,
               bool withDisplay = false) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (!withDisplay) {
      ::unsetenv("DISPLAY");
      ::unsetenv("WAYLAND_DISPLAY");
    }
    ::execl(program.c_str(), program.c_str(), argument, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  for (auto waited = 0ms; waited < wait; waited += 10ms) {
    if (::waitpid(child, &status, WNOHANG) == child)
      return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    std::this_thread::sleep_for(10ms);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  return -1;
}

TEST(ViewerProgram, RefusesWithoutDescriptionAndDeletesTheReplacementCopy) {
  test::TempFolder dir;
  const std::string viewer = CopyViewer(dir, "_vellumax");
  dir.Write("temp0a0.exe", "x");
  EXPECT_EQ(RunProgram(viewer, "DELTEMP", 5000ms), 1);
  EXPECT_TRUE(FileExists(dir / "temp0a0.exe"));
  EXPECT_EQ(RunProgram(viewer, "deltemp", 5000ms), 1);
  EXPECT_FALSE(FileExists(dir / "temp0a0.exe"));
}

TEST(ViewerProgram, ContainsNoCompleteMarker) {
  const std::string bytes = ReadWholeFile(VX_VIEWER_PATH);
  EXPECT_EQ(bytes.find("SO!#"), std::string::npos);
  EXPECT_EQ(bytes.find("EO!#"), std::string::npos);
}

TEST(ViewerProgram, StartsOnceItCarriesADescription) {
  test::TempFolder dir;
  const std::string archive = CopyViewer(dir, "trip.run");
  AppendBlock("PIG_TXT", archive, "\r\n<VX/>");
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs a display (the tests run under Xvfb)";
  EXPECT_EQ(RunProgram(archive, nullptr, 1000ms, true), -1) << "the viewer should still be running";
}

}  // namespace
}  // namespace vx
