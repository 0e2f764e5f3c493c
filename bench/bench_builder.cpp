// Opening a project in the builder until every tile is shown, beside the time djpeg -scale 1/8
// takes for the same pictures on one core (the limit: the thumbnails need no more than that).
#include <FL/Fl.H>

#include "bench_support.h"
#include "forms.h"
#include "main_window.h"

namespace {

namespace fs = std::filesystem;
using vx::bench::Clock;

void Run(const char* title, int count, vx::Size size) {
  const fs::path folder = fs::temp_directory_path() / "vx_bench_builder";
  fs::remove_all(folder);
  for (const char* sub : {"bin", "projects", "graphics", "output", "egraphics", "doc"})
    fs::create_directories(folder / sub);
  const auto files = vx::bench::WriteSamplePictures(folder / "graphics", count, size, 85, 700);
  std::string text = "<VX OFT=\"0\">";
  for (size_t i = 0; i < files.size(); ++i)
    text += "<FRAME FRAME_ID=\"F" + std::to_string(i) + "\" SRC_FILE=\"" + files[i] + "\"/>";
  const std::string project = (folder / "projects/bench.vxpr").string();
  vx::WriteFileAtomically(project, text + "</VX>");

  vx::builder::Forms forms(vx::ChooseUserLayout((folder / "bin/Vellumax").string(), {}));
  vx::builder::TFmain window(forms);
  window.show();
  while (!window.visible()) Fl::wait(0.01);
  const auto start = Clock::now();
  window.LoadProject(project);
  while (window.Busy()) Fl::wait(0.01);
  const double ours = vx::bench::Seconds(start);
  if (window.Strip().TileCount() != count) std::fprintf(stderr, "tiles missing\n");

  double tool = 0;
  for (const std::string& file : files) {
    tool +=
        vx::bench::TimeCommand("taskset -c 0 djpeg -scale 1/8 -outfile /dev/null \"" + file + "\"");
  }
  std::printf("%-22s all tiles %6.2f s   djpeg -scale 1/8 one core %6.2f s   ratio %.2f\n", title,
              ours, tool, ours / tool);
  fs::remove_all(folder);
}

}  // namespace

int main() {
  Run("200 x 12 MP pictures", 200, {4000, 3000});
  return 0;
}
