#include "platform/startup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "platform/files.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

using namespace std::chrono_literals;

// A stand-in program that leaves a file named after its first argument when it runs.
const std::string kScript = "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran-${1:-none}\"\n";

std::string MakeProgram(const test::TempFolder& dir, const std::string& name) {
  const std::string path = dir.Write(name, kScript);
  ::chmod(path.c_str(), 0755);
  return path;
}

bool AppearsSoon(const std::string& path) {
  for (int i = 0; i < 1000 && !FileExists(path); ++i) std::this_thread::sleep_for(10ms);
  return FileExists(path);
}

TEST(Startup, MakesTheProgramFolderCurrent) {
  test::TempFolder dir;
  const auto before = std::filesystem::current_path();
  EXPECT_FALSE(RunStartupSteps({MakeProgram(dir, "viewer"), {}, dir / "cache", 100ms}));
  EXPECT_EQ(std::filesystem::current_path(), dir.Path());
  std::filesystem::current_path(before);
}

TEST(Startup, DeltempDeletesTheReplacementCopyOnlyInThatCase) {
  test::TempFolder dir;
  const std::string program = MakeProgram(dir, "viewer");
  dir.Write("temp0a0.exe", "x");
  EXPECT_FALSE(RunStartupSteps({program, {"DELTEMP"}, dir / "cache", 100ms}));
  EXPECT_TRUE(FileExists(dir / "temp0a0.exe"));
  EXPECT_FALSE(RunStartupSteps({program, {"deltemp"}, dir / "cache", 100ms}));
  EXPECT_FALSE(FileExists(dir / "temp0a0.exe"));
  // A missing copy counts as deleted rather than looping forever.
  EXPECT_FALSE(RunStartupSteps({program, {"deltemp"}, dir / "cache", 100ms}));
}

TEST(Startup, ReplacementCopyOverwritesTheArchiveAndRestartsIt) {
  test::TempFolder dir;
  const std::string copy = MakeProgram(dir, "TEMP0A0.EXE");
  const std::string archive = dir.Write("trip.run", "old archive");
  EXPECT_TRUE(RunStartupSteps({copy, {archive}, dir / "cache", 1000ms}));
  EXPECT_EQ(ReadWholeFile(archive), kScript);
  EXPECT_TRUE(AppearsSoon(dir / "ran-deltemp"));
}

TEST(Startup, ReadOnlyProgramRunsFromACopyInTheCache) {
  test::TempFolder dir;
  const std::string program = MakeProgram(dir, "trip.run");
  const std::string cache = dir / "cache";
  std::filesystem::create_directories(cache);
  ::chmod(cache.c_str(), 0777);
  // A file owned by someone else, in a folder we cannot write: no bit we could restore.
  // Root may write anything, so the steps run as nobody in a child process.
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    ::_exit(RunStartupSteps({program, {}, cache, 100ms}) ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadWholeFile(cache + "/trip.run/trip.run"), kScript);
  EXPECT_TRUE(AppearsSoon(cache + "/trip.run/ran-none"));
}

}  // namespace
}  // namespace vx
