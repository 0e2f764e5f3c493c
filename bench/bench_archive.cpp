// Making executable archives of generated photo-like JPEGs, against the same decode and
// encode work done by djpeg | cjpeg -quality 65 on one core.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "archive/archive_maker.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "sample_pictures.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class QuietObserver : public vx::MakeObserver {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ShowPictureProgress(int) override {}
  void ShowZipping() override {}
  bool BreakRequested() override { return false; }
};

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

void Run(const char* title, int count, int width, int height) {
  const fs::path folder = fs::temp_directory_path() / "vx_bench_archive";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::vector<std::string> files(static_cast<size_t>(count));
  std::vector<std::future<void>> writing;
  for (int i = 0; i < count; ++i) {
    files[i] = (folder / ("p" + std::to_string(i) + ".jpg")).string();
    writing.push_back(std::async(std::launch::async, [&, i] {
      vx::WriteFileAtomically(files[i], *vx::EncodeJpeg(vx::MakeSamplePicture(width, height, 500 + i), 92));
    }));
    if (writing.size() >= 2) {
      for (auto& w : writing) w.get();
      writing.clear();
    }
  }
  for (auto& w : writing) w.get();

  std::string text = "<VX OUTPUT_FILE=\"" + (folder / "bench.run").string() + "\" JPQ=65 OFT=0>";
  for (int i = 0; i < count; ++i) {
    text += "<FRAME FRAME_ID=F" + std::to_string(i) + " SRC_FILE=\"" + files[i] + "\"/>";
  }
  text += "</VX>";
  vx::TKelPigger document;
  document.LoadFromText(text);
  vx::MakeOptions options;
  options.viewerPath = VX_VIEWER_PATH;
  QuietObserver observer;
  const auto start = Clock::now();
  if (!vx::MakeArchive(document, options, observer)) std::fprintf(stderr, "make failed\n");
  const double ours = Seconds(start);

  const auto toolStart = Clock::now();
  for (const std::string& file : files) {
    const std::string command = "taskset -c 0 sh -c 'djpeg \"" + file + "\" | cjpeg -quality 65 > /dev/null'";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  }
  const double tool = Seconds(toolStart);
  std::printf("%-28s %6.2f s  %6.1f pictures/s   djpeg|cjpeg one core %6.2f s   ours/limit %.2f\n", title, ours,
              count / ours, tool, ours / tool);
  fs::remove_all(folder);
}

}  // namespace

int main() {
  Run("40 x 12 MP (kind 0)", 40, 4000, 3000);
  Run("200 x 2 MP (kind 0)", 200, 1600, 1200);
  return 0;
}
