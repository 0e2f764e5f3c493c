#include "ui/printing.h"

#include <FL/Fl_PostScript.H>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/files.h"
#include "platform/printers.h"
#include "ui/draw_bitmap.h"
#include "ui/printer_setup.h"

namespace vx::ui {
namespace {

constexpr int kPointsPerInch = 72;

int PointsToDots(int points) { return points * kDotsPerInch / kPointsPerInch; }

Fl_Paged_Device::Page_Format FormatOf(Paper paper) {
  return paper == Paper::Letter ? Fl_Paged_Device::LETTER : Fl_Paged_Device::A4;
}

// A PostScript device writing into memory. The device leaves a stream it was given open, so it
// is told to close it at the end of the job, which also completes the buffer.
class PostScriptJob {
 public:
  PostScriptJob(Paper paper, bool landscape) {
    stream_ = open_memstream(&buffer_, &size_);
    if (!stream_ || device_.start_job(
                        stream_, 1, FormatOf(paper),
                        landscape ? Fl_Paged_Device::LANDSCAPE : Fl_Paged_Device::PORTRAIT) != 0) {
      if (stream_) std::fclose(stream_);
      std::free(buffer_);
      throw std::runtime_error("Cannot start a PostScript page");
    }
    device_.CloseAtTheEnd();
  }
  ~PostScriptJob() {
    if (!ended_) device_.end_job();
    std::free(buffer_);
  }
  PostScriptJob(const PostScriptJob&) = delete;
  PostScriptJob& operator=(const PostScriptJob&) = delete;

  Fl_PostScript_File_Device& Device() { return device_; }
  std::string End() {
    device_.end_job();
    ended_ = true;
    return std::string(buffer_, size_);
  }

 private:
  struct ClosingDevice : Fl_PostScript_File_Device {
    void CloseAtTheEnd() {
      driver()->close_command([](FILE* stream) { return std::fclose(stream); });
    }
  };
  ClosingDevice device_;
  char* buffer_ = nullptr;
  size_t size_ = 0;
  FILE* stream_ = nullptr;
  bool ended_ = false;
};

// Debian's paper setting: PAPERSIZE, then /etc/papersize.
Paper SystemPaper() {
  std::string name;
  if (const char* env = std::getenv("PAPERSIZE")) {
    name = env;
  } else {
    std::ifstream("/etc/papersize") >> name;
  }
  return name == "letter" ? Paper::Letter : Paper::A4;
}

std::string DefaultPrintFile() {
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/picture.ps";
}

}  // namespace

const char* PaperName(Paper paper) { return paper == Paper::Letter ? "Letter" : "A4"; }

PageSetup PageFor(Paper paper, bool landscape) {
  PostScriptJob job(paper, landscape);
  int width = 0, height = 0, left = 0, top = 0, right = 0, bottom = 0;
  job.Device().printable_rect(&width, &height);
  job.Device().margins(&left, &top, &right, &bottom);
  const auto& format = Fl_Paged_Device::page_formats[FormatOf(paper)];
  Size sheet{PointsToDots(format.width), PointsToDots(format.height)};
  if (landscape) std::swap(sheet.width, sheet.height);
  return {PointsToDots(width),
          PointsToDots(height),
          landscape,
          sheet,
          {PointsToDots(left), PointsToDots(top)}};
}

std::string PostScriptPage(Paper paper, bool landscape, const Bitmap& bitmap, Point at) {
  PostScriptJob job(paper, landscape);
  job.Device().start_page();
  // The device's unit is the point with its origin at the printable area's corner.
  job.Device().scale(static_cast<float>(kPointsPerInch) / kDotsPerInch);
  DrawBitmap(bitmap, at.x, at.y);
  job.Device().end_page();
  return job.End();
}

DesktopPrintEngine::DesktopPrintEngine() {
  const std::vector<std::string> printers = ListPrinters();
  if (!printers.empty()) settings_.printer = printers.front();
  settings_.file = DefaultPrintFile();
  settings_.paper = SystemPaper();
}

bool DesktopPrintEngine::Setup() {
  auto chosen = RunPrinterSetup(settings_, ListPrinters());
  if (!chosen) return false;
  settings_ = std::move(*chosen);
  return true;
}

bool DesktopPrintEngine::Print(const Bitmap& bitmap, Point at) {
  const std::string page = PostScriptPage(settings_.paper, settings_.landscape, bitmap, at);
  if (settings_.printer.empty()) {
    WriteFileAtomically(settings_.file, page);
    return true;
  }
  const WorkingFile job(std::filesystem::temp_directory_path().string(), "vellumax-print", ".ps");
  WriteFileAtomically(job.Path(), page);
  if (!SubmitPrintJob(settings_.printer, job.Path(), PaperName(settings_.paper),
                      "Vellumax picture")) {
    throw std::runtime_error("The printer " + settings_.printer + " did not take the job");
  }
  return true;
}

std::unique_ptr<PrintEngine> MakeDesktopPrintEngine() {
  return std::make_unique<DesktopPrintEngine>();
}

}  // namespace vx::ui
