// Makes the archive of a project file from the command line, exactly as the builder's Make.
//   vellumax-make PROJECT.vxpr [-o FILE] [--password P] [--protection compatible|strong]
//                 [--viewer PATH] [--no-thumbnails]
// Exit status 0 when the archive was written; Ctrl+C cancels cleanly. The protection is the
// project's PROTECTION unless given here. --no-thumbnails leaves out the small pictures an
// executable archive carries for the viewer's strip.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "archive/archive_maker.h"
#include "document/project.h"
#include "document/vocabulary.h"
#include "picture/icon.h"
#include "platform/paths.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;

class ConsoleObserver : public vx::MakeObserver {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ShowPictureProgress(int percent) override {
    std::printf("\r%3d%%", percent);
    std::fflush(stdout);
  }
  void ShowZipping() override { std::printf("\rZIP compressing in progress...\n"); }
  bool BreakRequested() override { return interrupted != 0; }
};

int Usage() {
  std::fprintf(stderr,
               "usage: vellumax-make PROJECT.vxpr [-o FILE] [--password P]\n"
               "                     [--protection compatible|strong] [--viewer PATH]\n"
               "                     [--no-thumbnails]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string projectPath, output, viewer = vx::OwnProgramFolder() + "/_vellumax";
  std::optional<std::string> password;
  std::optional<vx::Protection> protection;
  bool thumbnails = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "-o" && hasValue) {
      output = argv[++i];
    } else if (arg == "--password" && hasValue) {
      password = argv[++i];
    } else if (arg == "--protection" && hasValue) {
      const std::string choice = argv[++i];
      if (choice == vx::names::kCompatible) {
        protection = vx::Protection::Compatible;
      } else if (choice == vx::names::kStrong) {
        protection = vx::Protection::Strong;
      } else {
        return Usage();
      }
    } else if (arg == "--no-thumbnails") {
      thumbnails = false;
    } else if (arg == "--viewer" && hasValue) {
      viewer = argv[++i];
    } else if (projectPath.empty() && !arg.starts_with("-")) {
      projectPath = arg;
    } else {
      return Usage();
    }
  }
  if (projectPath.empty()) return Usage();
  std::signal(SIGINT, [](int) { interrupted = 1; });

  try {
    vx::Project project = vx::LoadProjectFile(projectPath);
    if (output.empty()) output = project.document->GetAttr(vx::names::kOutputFile);
    if (output.empty()) {
      std::fprintf(stderr, "vellumax-make: the project names no output file; use -o\n");
      return 1;
    }
    project.document->SetAttr(vx::names::kOutputFile, output);
    const std::string plain = password.value_or(project.password);
    auto made = vx::DocumentForMaking(*project.document, plain,
                                      protection.value_or(vx::ProtectionOf(*project.document)));
    const auto& document = made.document;

    vx::MakeOptions options;
    options.viewerPath = viewer;
    options.areas = made.areas;
    options.thumbnails = thumbnails;
    // Where the builder leaves the pictures of a ZIP of JPEG files.
    options.exportFolder = vx::OwnProgramFolder() + "/../egraphics";
    std::filesystem::create_directories(options.exportFolder);
    options.onPicture = vx::PointerDrawingFor(*document);
    // The project's icon, as the builder's icon chooser turns it into an icon file.
    try {
      options.mainIcon = vx::IconFromText(document->GetAttr(vx::names::kIcon));
    } catch (const std::exception& e) {
      std::fprintf(stderr,
                   "vellumax-make: the project's icon cannot be read (%s); the archive keeps the "
                   "viewer's icon\n",
                   e.what());
    }
    ConsoleObserver observer;
    if (!vx::MakeArchive(*document, options, observer)) {
      std::fprintf(stderr, "\nvellumax-make: %s\n",
                   interrupted ? vx::kBrokenByUser : "the archive was not made");
      return 1;
    }
    std::printf("\r100%%\nWritten %s\n", vx::OutputPathOf(*document).c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vellumax-make: %s\n", e.what());
    return 1;
  }
}
