// What vellumax-blocks lists of an archive (VX_BLOCKS_PATH names the tool).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace vx::test {

// The tool's whole listing.
inline std::string ListedBlocks(const std::string& archive) {
  std::string output;
  FILE* pipe = ::popen((std::string(VX_BLOCKS_PATH) + " '" + archive + "'").c_str(), "r");
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  EXPECT_EQ(::pclose(pipe), 0);
  return output;
}

// The block names it lists, in order.
inline std::vector<std::string> ListedBlockNames(const std::string& archive) {
  std::vector<std::string> names;
  std::istringstream lines(ListedBlocks(archive));
  std::string line;
  std::getline(lines, line);  // the heading
  while (std::getline(lines, line)) names.push_back(line.substr(0, line.find(' ')));
  return names;
}

}  // namespace vx::test
