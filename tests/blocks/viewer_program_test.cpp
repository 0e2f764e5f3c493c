// The real viewer program: refusing without a description, starting with one, deltemp.
#include <gtest/gtest.h>

#include <filesystem>

#include "blocks/data_blocks.h"
#include "platform/files.h"
#include "support/run_for_a_while.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

using namespace std::chrono_literals;

std::string CopyViewer(const test::TempFolder& dir, const std::string& name) {
  const std::string path = dir / name;
  std::filesystem::copy_file(VX_VIEWER_PATH, path);
  return path;
}

TEST(ViewerProgram, RefusesWithoutDescriptionAndDeletesTheReplacementCopy) {
  test::TempFolder dir;
  const std::string viewer = CopyViewer(dir, "_vellumax");
  dir.Write("temp0a0.exe", "x");
  EXPECT_EQ(test::RunForAWhile(viewer, "DELTEMP", 5000ms), 1);
  EXPECT_TRUE(FileExists(dir / "temp0a0.exe"));
  EXPECT_EQ(test::RunForAWhile(viewer, "deltemp", 5000ms), 1);
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
  EXPECT_EQ(test::RunForAWhile(archive, nullptr, 1000ms, true), -1)
      << "the viewer should still be running";
}

}  // namespace
}  // namespace vx
