// Files under tests/data.
#pragma once

#include <cstdlib>
#include <string>

namespace vx::test {

inline std::string DataPath(const std::string& relative) {
  const char* root = std::getenv("VX_TEST_DATA");
  return std::string(root ? root : "tests/data") + "/" + relative;
}

}  // namespace vx::test
