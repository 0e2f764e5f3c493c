// Opening a project in the builder until every tile is shown, beside the time djpeg -scale 1/8
// takes for the same pictures on one core (the limit: the thumbnails need no more than that);
// then selecting a picture, which is read off the user-interface thread.
#include <FL/Fl.H>

#include <algorithm>

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

  // Selecting a picture: until it is shown, and the longest the window could not answer
  // meanwhile (a turn of the event loop that idles waits 5 ms at most).
  bool shown = false;
  window.OnPictureShown = [&] { shown = true; };
  const auto selected = Clock::now();
  window.Strip().SelectTile(window.Strip().TileAt(count - 1));
  double stall = 0;
  while (!shown) {
    const auto turn = Clock::now();
    Fl::wait(0.005);
    stall = std::max(stall, vx::bench::Seconds(turn));
  }
  const double shownAfter = vx::bench::Seconds(selected);

  double tool = 0;
  for (const std::string& file : files) {
    tool +=
        vx::bench::TimeCommand("taskset -c 0 djpeg -scale 1/8 -outfile /dev/null \"" + file + "\"");
  }
  std::printf("%-22s all tiles %6.2f s   djpeg -scale 1/8 one core %6.2f s   ratio %.2f\n", title,
              ours, tool, ours / tool);
  std::printf(
      "%-22s picture shown after %.3f s (0.2 s of it the selection's rest), "
      "longest stall of the window %.3f s\n",
      "select one", shownAfter, stall);
  fs::remove_all(folder);
}

}  // namespace

// A count of pictures on the command line makes a shorter run.
int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  Run((std::to_string(count) + " x 12 MP pictures").c_str(), count, {4000, 3000});
  return 0;
}
