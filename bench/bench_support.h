// What the archive benchmarks share: photo-like source pictures written to a folder, and
// the archive made of them.
#pragma once

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

namespace vx::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Runs a shell command and returns how long it took.
inline double TimeCommand(const std::string& command) {
  const auto start = Clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  return Seconds(start);
}

class QuietObserver : public MakeObserver {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ShowPictureProgress(int) override {}
  void ShowZipping() override {}
  bool BreakRequested() override { return false; }
};

// count pictures of width x height, made two at a time, as p<i>.jpg in the folder.
inline std::vector<std::string> WriteSamplePictures(const std::filesystem::path& folder, int count,
                                                    Size size, int quality, unsigned seed) {
  std::vector<std::string> files;
  for (int i = 0; i < count; i += 2) {
    std::vector<std::future<void>> writing;
    for (int k = i; k < std::min(count, i + 2); ++k) {
      files.push_back((folder / ("p" + std::to_string(k) + ".jpg")).string());
      writing.push_back(
          std::async(std::launch::async, [path = files.back(), k, size, quality, seed] {
            WriteFileAtomically(
                path, *EncodeJpeg(MakeSamplePicture(size.width, size.height, seed + k), quality));
          }));
    }
    for (auto& w : writing) w.get();
  }
  return files;
}

// Makes the executable archive of the pictures at the quality, with or without stored
// thumbnails; returns how long it took.
inline double MakeBenchArchive(const std::string& output, const std::vector<std::string>& files,
                               int quality, bool thumbnails = true) {
  std::string text =
      "<VX OUTPUT_FILE=\"" + output + "\" JPQ=" + std::to_string(quality) + " OFT=0>";
  for (size_t i = 0; i < files.size(); ++i) {
    text += "<FRAME FRAME_ID=F" + std::to_string(i) + " SRC_FILE=\"" + files[i] + "\"/>";
  }
  TKelPigger document;
  document.LoadFromText(text + "</VX>");
  MakeOptions options;
  options.viewerPath = VX_VIEWER_PATH;
  options.thumbnails = thumbnails;
  QuietObserver observer;
  const auto start = Clock::now();
  if (!MakeArchive(document, options, observer)) std::fprintf(stderr, "make failed\n");
  return Seconds(start);
}

}  // namespace vx::bench
