// What stored thumbnails cost when an archive is made: its size and the time to make it,
// with and without them, for 2 MP pictures at the wizard's quality and a higher one.
#include "bench_support.h"

namespace {

namespace fs = std::filesystem;

void Run(const fs::path& folder, const std::vector<std::string>& files, vx::Size size,
         int quality) {
  const int count = static_cast<int>(files.size());
  const std::string with = (folder / "with.run").string();
  const std::string without = (folder / "without.run").string();
  const double withTime = vx::bench::MakeBenchArchive(with, files, quality, true);
  const double withoutTime = vx::bench::MakeBenchArchive(without, files, quality, false);
  const auto withSize = static_cast<double>(fs::file_size(with));
  const auto withoutSize = static_cast<double>(fs::file_size(without));
  std::printf(
      "%d x %dx%d JPQ %d: %8.1f MB with, %8.1f MB without thumbnails (+%.2f %%); made in %.2f s "
      "with, %.2f s without\n",
      count, size.width, size.height, quality, withSize / 1e6, withoutSize / 1e6,
      (withSize / withoutSize - 1) * 100, withTime, withoutTime);
}

}  // namespace

// An optional count of pictures makes a shorter run.
int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 200;
  const vx::Size size{1600, 1200};
  const fs::path folder = fs::temp_directory_path() / "vx_bench_thumbnails";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const auto files = vx::bench::WriteSamplePictures(folder, count, size, 92, 700);
  for (int quality : {65, 85}) Run(folder, files, size, quality);
  fs::remove_all(folder);
  return 0;
}
