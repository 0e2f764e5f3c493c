// The undo history on large projects: what a step costs in memory (as the history counts it
// and as the process's resident size grows), how long recording and undoing take, and how
// many steps the default budget holds.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "document/project_history.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// Frames as a person annotates them: a description, two fields and eight pointers each.
vx::ProjectState Project(int frames) {
  vx::ProjectState state;
  state.properties.outputKind = "0";
  state.properties.icon = std::string(2 * 3126, 'A');  // a 32 x 32 icon's BMP in hex
  std::string pointers = "\r\n<PNTRS>\r\n";
  for (int i = 0; i < 8; ++i)
    pointers += "\t<CLD OBJ_ID=\"0123456789ABCDEF0123456789ABCDE" + std::to_string(i) +
                "\" XR=\" 5.00000000000000E-0001\" YR=\" 2.50000000000000E-0001\" "
                "ARRTXT=\"A label someone wrote\" CL_BRUSH=\"#FFFF80\" CL_PEN=\"#808080\" "
                "CL_TXT=\"#FF0000\"/>\r\n";
  pointers += "</PNTRS>\r\n";
  const std::string fields =
      "\r\n<FLDS>Taken on the second day.\r\n\t<FLD FNAME=\"Place\" FTYPE=\"text\" "
      "VAL=\"Harbour\"/>\r\n\t<FLD FNAME=\"Date\" FTYPE=\"text\" "
      "VAL=\"2026-08-14\"/>\r\n</FLDS>\r\n";
  for (int i = 0; i < frames; ++i) {
    const std::string n = std::to_string(i);
    state.frames.push_back({"0123456789ABCDEF01234567" + std::string(8 - n.size(), '0') + n,
                            "/home/someone/Pictures/2026/trip/IMG_" + n + ".jpg",
                            "IMG_" + n + ".jpg", fields, pointers});
  }
  return state;
}

}  // namespace

int main() {
  constexpr int kSteps = 200;
  std::printf("%7s %10s %10s | %-10s %10s %10s %9s %9s %8s\n", "frames", "text KB", "start KB",
              "step", "KB/step", "RSS KB/st", "record ms", "undo ms", "steps");
  for (int frames : {100, 1000, 5000}) {
    const vx::ProjectState project = Project(frames);
    const size_t text = vx::ProjectText(project).size();
    struct Kind {
      const char* name;
      void (*change)(vx::ProjectState&, int step);
    };
    const Kind kKinds[] = {
        {"pointer",
         [](vx::ProjectState& s, int step) {
           auto& frame = s.frames[static_cast<size_t>(step * 7) % s.frames.size()];
           frame.pointersText.replace(frame.pointersText.find("XR=\" 5"), 6, "XR=\" 4");
         }},
        {"reorder", [](vx::ProjectState& s, int) { std::swap(s.frames.front(), s.frames.back()); }},
        {"property", [](vx::ProjectState& s,
                        int step) { s.properties.jpegQuality = std::to_string(10 + step % 90); }},
    };
    for (const Kind& kind : kKinds) {
      vx::ProjectState state = project;
      vx::ProjectHistory history;
      history.Reset(state, true);
      const size_t start = history.MemoryUsed();
      const size_t residentBefore = ResidentBytes();
      double recording = 0;
      for (int step = 0; step < kSteps; ++step) {
        kind.change(state, step);
        const auto begin = Clock::now();
        history.Record(state);
        recording += Milliseconds(begin);
      }
      const double perStep = static_cast<double>(history.MemoryUsed() - start) / kSteps;
      const double residentPerStep = static_cast<double>(ResidentBytes() - residentBefore) / kSteps;
      const auto begin = Clock::now();
      int undone = 0;
      while (history.Undo()) ++undone;
      const double undoing = Milliseconds(begin) / undone;
      std::printf("%7d %10.0f %10.0f | %-10s %10.1f %10.1f %9.3f %9.3f %8.0f\n", frames,
                  text / 1024.0, start / 1024.0, kind.name, perStep / 1024, residentPerStep / 1024,
                  recording / kSteps, undoing,
                  static_cast<double>(vx::ProjectHistory::kDefaultBudget - start) / perStep);
    }
  }
  return 0;
}
