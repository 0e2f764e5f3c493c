// Time from start to the first picture shown and to the complete strip, and peak memory, for
// the viewer on large archives with and without stored thumbnails; beside it the time
// djpeg -scale 1/4 takes for all their pictures on one core, and the archives' sizes.
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

struct Measured {
  double firstPicture = 0, stripComplete = 0, peakKb = 0;
  double pageStep = 0;  // a page down the complete strip, drawn
};

// In a child process, so that its peak memory is the viewer's alone.
Measured MeasureViewer(const std::string& archive) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    const auto start = Clock::now();
    const vx::ArchiveImage image(archive);
    vx::viewer::ArchiveSession session(
        [&](std::string_view name) { return image.ReadBlock(name); });
    session.LoadDescription();
    vx::viewer::TFmain window(session, "bench.run", 1280, 900);
    Measured result;
    window.OnPictureShown = [&] {
      if (result.firstPicture == 0) result.firstPicture = vx::bench::Seconds(start);
    };
    window.OnFilled = [&] { result.stripComplete = vx::bench::Seconds(start); };
    window.show();
    window.FormActivate();
    while (result.firstPicture == 0 || result.stripComplete == 0) Fl::wait(0.01);
    // Paging through the strip moves every tile widget; timed with drawing, without the
    // pictures the steps would load.
    constexpr int kSteps = 20;
    const auto paging = Clock::now();
    for (int k = 0; k < kSteps; ++k) {
      window.Strip().SelectPageDown();
      Fl::flush();
    }
    result.pageStep = vx::bench::Seconds(paging) / kSteps;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    result.peakKb = static_cast<double>(usage.ru_maxrss);
    if (write(pipeFds[1], &result, sizeof result) != sizeof result) _exit(1);
    _exit(0);
  }
  Measured result;
  if (read(pipeFds[0], &result, sizeof result) != sizeof result)
    std::fprintf(stderr, "viewer run failed\n");
  waitpid(child, nullptr, 0);
  close(pipeFds[0]);
  close(pipeFds[1]);
  return result;
}

void Run(int count, vx::Size size) {
  const fs::path folder = fs::temp_directory_path() / "vx_bench_viewer";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const auto files = vx::bench::WriteSamplePictures(folder, count, size, 85, 900);
  double tool = 0;
  for (const std::string& file : files) {
    tool +=
        vx::bench::TimeCommand("taskset -c 0 djpeg -scale 1/4 -outfile /dev/null \"" + file + "\"");
  }
  std::printf("%d frames of %d x %d: djpeg -scale 1/4 over all of them, one core: %.2f s\n", count,
              size.width, size.height, tool);
  for (const bool thumbnails : {true, false}) {
    const std::string archive = (folder / "bench.run").string();
    vx::bench::MakeBenchArchive(archive, files, 85, thumbnails);
    const Measured m = MeasureViewer(archive);
    std::printf(
        "  %-18s first picture %6.2f s   strip complete %6.2f s   page step %5.1f ms   peak RSS "
        "%6.0f MB   archive %7.1f MB\n",
        thumbnails ? "with thumbnails" : "without", m.firstPicture, m.stripComplete,
        m.pageStep * 1000, m.peakKb / 1024.0, static_cast<double>(fs::file_size(archive)) / 1e6);
    std::fflush(stdout);
  }
  fs::remove_all(folder);
}

}  // namespace

// An optional number divides every archive's count of frames, for a shorter run; a second
// one (1 to 3) runs only that archive. An archive's path instead measures that archive.
int main(int argc, char** argv) {
  if (argc > 1 && fs::is_regular_file(argv[1])) {
    const Measured m = MeasureViewer(argv[1]);
    std::printf(
        "%s: first picture %.2f s   strip complete %.2f s   page step %.1f ms   peak RSS %.0f MB\n",
        argv[1], m.firstPicture, m.stripComplete, m.pageStep * 1000, m.peakKb / 1024.0);
    return 0;
  }
  const int divisor = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  const int only = argc > 2 ? std::atoi(argv[2]) : 0;
  if (only == 0 || only == 1) Run(40 / divisor, {4000, 3000});
  if (only == 0 || only == 2) Run(200 / divisor, {1600, 1200});
  if (only == 0 || only == 3) Run(10000 / divisor, {640, 480});
  return 0;
}
