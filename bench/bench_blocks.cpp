// Appending blocks to a copy of the viewer and reading them back through the viewer's own
// path (the index over the mapped file). Per-block cost should stay flat as archives grow.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "blocks/data_blocks.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

}  // namespace

int main() {
  constexpr size_t kBlockSize = 256 * 1024;
  std::string data(kBlockSize, '\0');
  std::mt19937 random(42);
  for (char& c : data) c = static_cast<char>(random() & 0xFF);

  const auto folder = std::filesystem::temp_directory_path() / "vx_bench_blocks";
  std::filesystem::create_directories(folder);
  const std::string archive = (folder / "bench.run").string();
  std::printf("%8s %12s %14s %12s %14s\n", "blocks", "append MB/s", "append us/blk", "read MB/s",
              "read us/blk");
  for (int blocks : {500, 1000, 2000}) {
    std::filesystem::copy_file(VX_VIEWER_PATH, archive,
                               std::filesystem::copy_options::overwrite_existing);
    auto start = Clock::now();
    for (int i = 0; i < blocks; ++i) vx::AppendBlock("B" + std::to_string(i), archive, data);
    const double append = Seconds(start);

    start = Clock::now();
    const vx::ArchiveImage image(archive);
    size_t total = 0;
    for (int i = 0; i < blocks; ++i) total += image.ReadBlock("B" + std::to_string(i)).size();
    const double read = Seconds(start);
    if (total != blocks * kBlockSize) {
      std::fprintf(stderr, "read back %zu bytes, expected %zu\n", total, blocks * kBlockSize);
      return 1;
    }
    const double megabytes = blocks * kBlockSize / 1e6;
    std::printf("%8d %12.0f %14.1f %12.0f %14.1f\n", blocks, megabytes / append,
                append * 1e6 / blocks, megabytes / read, read * 1e6 / blocks);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
