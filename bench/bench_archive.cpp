// Making executable archives of generated photo-like JPEGs, against the same decode and
// encode work done by djpeg | cjpeg -quality 65 on one core.
#include "bench_support.h"

namespace {

namespace fs = std::filesystem;

void Run(const char* title, int count, vx::Size size) {
  const fs::path folder = fs::temp_directory_path() / "vx_bench_archive";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const auto files = vx::bench::WriteSamplePictures(folder, count, size, 92, 500);
  const double ours = vx::bench::MakeBenchArchive((folder / "bench.run").string(), files, 65);
  double tool = 0;
  for (const std::string& file : files) {
    tool += vx::bench::TimeCommand("taskset -c 0 sh -c 'djpeg \"" + file +
                                   "\" | cjpeg -quality 65 > /dev/null'");
  }
  std::printf("%-28s %6.2f s  %6.1f pictures/s   djpeg|cjpeg one core %6.2f s   ours/limit %.2f\n",
              title, ours, count / ours, tool, ours / tool);
  fs::remove_all(folder);
}

}  // namespace

int main() {
  Run("40 x 12 MP (kind 0)", 40, {4000, 3000});
  Run("200 x 2 MP (kind 0)", 200, {1600, 1200});
  return 0;
}
