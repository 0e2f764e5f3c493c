// Time of a step to the next picture in the viewer's window, from the selection to the
// picture shown: to a neighbour decoded ahead, and to a frame that was not (as every step was
// before pictures were decoded ahead), for 2 MP and 12 MP pictures.
#include <FL/Fl.H>

#include <algorithm>

#include "archive_session.h"
#include "bench_support.h"
#include "blocks/data_blocks.h"
#include "main_window.h"

namespace {

namespace fs = std::filesystem;
using vx::bench::Clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Selects the tile and waits for its picture; seconds from the selection.
double StepTo(vx::viewer::TFmain& window, int index, int& shown) {
  // A pause, so the step loads at once without waiting for a tick (one wait may end early).
  for (const auto end = Clock::now() + std::chrono::milliseconds(300); Clock::now() < end;)
    Fl::wait(0.05);
  const int before = shown;
  const auto start = Clock::now();
  window.Strip().SelectTile(window.Strip().TileAt(index));
  while (shown == before) Fl::wait(0.001);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Run(const char* title, vx::Size size) {
  constexpr int kFrames = 12, kSteps = 5;
  const fs::path folder = fs::temp_directory_path() / "vx_bench_navigation";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const auto files = vx::bench::WriteSamplePictures(folder, kFrames, size, 85, 900);
  vx::bench::MakeBenchArchive((folder / "bench.run").string(), files, 85);

  const vx::ArchiveImage image((folder / "bench.run").string());
  vx::viewer::ArchiveSession session([&](std::string_view name) { return image.ReadBlock(name); });
  session.LoadDescription();
  vx::viewer::TFmain window(session, "bench.run", 1280, 900);
  int shown = 0;
  window.OnPictureShown = [&] { ++shown; };
  window.show();
  window.FormActivate();
  while (shown == 0 || window.Busy()) Fl::wait(0.01);

  std::vector<double> ahead, notAhead;
  int index = 0;
  for (int step = 0; step < kSteps; ++step) {
    while (window.Ahead().ReadyCount() < (index > 0 ? 2 : 1)) Fl::wait(0.01);
    ahead.push_back(StepTo(window, ++index, shown));
    // Two tiles on: a frame that was not decoded ahead.
    while (window.Ahead().ReadyCount() < 2) Fl::wait(0.01);
    index += 2;
    notAhead.push_back(StepTo(window, index, shown));
    if (index + 3 >= kFrames) {
      index = 0;
      StepTo(window, index, shown);
    }
  }
  std::printf("%-10s next step: decoded ahead %6.3f s   not ahead %6.3f s   (medians of %d)\n",
              title, Median(ahead), Median(notAhead), kSteps);
  window.hide();
  fs::remove_all(folder);
}

}  // namespace

int main() {
  Run("2 MP", {1600, 1200});
  Run("12 MP", {4000, 3000});
  return 0;
}
