// Time from start to the first picture shown, and peak memory, for the viewer on large
// archives; beside it the time djpeg -scale 1/4 takes for all their pictures on one core.
#include <FL/Fl.H>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "archive_session.h"
#include "bench_support.h"
#include "blocks/data_blocks.h"
#include "main_window.h"

namespace {

namespace fs = std::filesystem;
using vx::bench::Clock;

// In a child process, so that its peak memory is the viewer's alone.
void MeasureViewer(const std::string& archive, double& seconds, long& peakKb) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return;
  const pid_t child = fork();
  if (child == 0) {
    const auto start = Clock::now();
    const vx::ArchiveImage image(archive);
    vx::viewer::ArchiveSession session(
        [&](std::string_view name) { return image.ReadBlock(name); });
    session.LoadDescription();
    vx::viewer::TFmain window(session, "bench.run", 1280, 900);
    bool shown = false;
    window.OnPictureShown = [&] { shown = true; };
    window.show();
    window.FormActivate();
    while (!shown) Fl::wait(0.01);
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double result[2] = {elapsed, static_cast<double>(usage.ru_maxrss)};
    if (write(pipeFds[1], result, sizeof result) != sizeof result) _exit(1);
    _exit(0);
  }
  double result[2] = {0, 0};
  if (read(pipeFds[0], result, sizeof result) != sizeof result)
    std::fprintf(stderr, "viewer run failed\n");
  waitpid(child, nullptr, 0);
  close(pipeFds[0]);
  close(pipeFds[1]);
  seconds = result[0];
  peakKb = static_cast<long>(result[1]);
}

void Run(const char* title, int count, vx::Size size) {
  const fs::path folder = fs::temp_directory_path() / "vx_bench_viewer";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const auto files = vx::bench::WriteSamplePictures(folder, count, size, 85, 900);
  vx::bench::MakeBenchArchive((folder / "bench.run").string(), files, 85);

  double seconds = 0;
  long peakKb = 0;
  MeasureViewer((folder / "bench.run").string(), seconds, peakKb);

  double tool = 0;
  for (const std::string& file : files) {
    tool +=
        vx::bench::TimeCommand("taskset -c 0 djpeg -scale 1/4 -outfile /dev/null \"" + file + "\"");
  }
  std::printf(
      "%-22s first picture %6.2f s   peak RSS %6.0f MB   djpeg -scale 1/4 one core %6.2f s   ratio "
      "%.2f\n",
      title, seconds, peakKb / 1024.0, tool, seconds / tool);
  fs::remove_all(folder);
}

}  // namespace

int main() {
  Run("40 x 12 MP frames", 40, {4000, 3000});
  Run("200 x 2 MP frames", 200, {1600, 1200});
  return 0;
}
