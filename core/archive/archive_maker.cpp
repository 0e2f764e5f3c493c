#include "archive/archive_maker.h"

#include <sys/stat.h>

#include <charconv>
#include <filesystem>
#include <optional>
#include <set>
#include <stdexcept>
#include <thread>

#include "archive/main_icon.h"
#include "archive/thumbnail_frames.h"
#include "archive/zip_files.h"
#include "blocks/data_blocks.h"
#include "concurrency/ordered_pipeline.h"
#include "document/vocabulary.h"
#include "formats/picture_file.h"
#include "picture/jpeg_codec.h"
#include "picture/stored_thumbnail.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "pointers/pointer_drawing.h"
#include "protection/protected_areas.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
namespace n = names;

class Cancelled : public std::runtime_error {
 public:
  Cancelled() : std::runtime_error(kBrokenByUser) {}
};

// A source picture that cannot be read or encoded ends the make; its message says which
// file and why, and is shown where the make ends.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Bitmap LoadSource(const std::string& path) {
  try {
    return LoadPictureFile(path);
  } catch (const std::exception& e) {
    throw PictureError("Picture " + path + " cannot be read: " + e.what());
  }
}

std::string NotEncoded(const std::string& path) {
  return "Picture " + path + " cannot be encoded as JPEG";
}

// A few pictures in flight: enough to keep every core busy, few enough to bound memory.
size_t PicturesInFlight() { return std::max(2u, std::thread::hardware_concurrency()) + 1; }

// The gauge moves by 100 / count (truncated) per picture; a confirmed break ends the make.
class Progress {
 public:
  Progress(MakeObserver& observer, int count)
      : observer_(observer), step_(count > 0 ? 100 / count : 0) {
    observer_.ShowPictureProgress(0);
  }
  void Step() {
    value_ += step_;
    observer_.ShowPictureProgress(value_);
    if (observer_.BreakRequested()) throw Cancelled();
  }

 private:
  MakeObserver& observer_;
  int step_;
  int value_ = 0;
};

std::vector<const TKelPigger*> Frames(const TKelPigger& document) {
  std::vector<const TKelPigger*> frames;
  for (const TKelPigger* f = document.FindChild(n::kFrame); f; f = document.FindNext(f))
    frames.push_back(f);
  return frames;
}

// Each worker gets its own copy of its frame, so no tree is shared between threads.
std::shared_ptr<TKelPigger> CopyOf(const TKelPigger& frame) {
  auto copy = std::make_shared<TKelPigger>();
  copy->Assign(frame);
  return copy;
}

struct FramePicture {
  std::vector<AreaBlock> areas;
  std::optional<std::string> jpeg;
  std::optional<std::string> thumbnail;
};

// Appends the description and, per frame in order, its area blocks, its picture block and
// its thumbnail block. False when a picture could not be encoded; throws on a failure that
// ends the make.
bool BuildArchive(const TKelPigger& document, const std::string& working, const AreaLock& areas,
                  bool thumbnails, MakeObserver& observer) {
  AppendBlock("PIG_TXT", working, document.SaveToText());
  const int quality = JpegQualityOf(document);
  const auto frames = Frames(document);
  const std::set<std::string> withThumbnail =
      thumbnails ? FramesGivenThumbnails(document) : std::set<std::string>();
  Progress progress(observer, static_cast<int>(frames.size()));
  OrderedPipeline<FramePicture> pipeline(PicturesInFlight());
  bool result = true;
  for (const TKelPigger* frame : frames) {
    const std::string source = frame->GetAttr(n::kSourceFile);
    const std::string id = frame->GetAttr(n::kFrameId);
    if (source.empty() || !FileExists(source)) {
      pipeline.Then([&, source] {
        observer.ShowMessage("Wrong name of grapic file " + source);
        progress.Step();
      });
    } else if (id.empty()) {
      pipeline.Then([&, source] {
        observer.ShowMessage("Empty frame id for file " + source);
        progress.Step();
      });
    } else {
      pipeline.Submit(
          [&pipeline, &areas, copy = CopyOf(*frame), source, quality,
           thumbnail = withThumbnail.contains(id)] {
            FramePicture out;
            if (pipeline.Stopping()) return out;
            Bitmap picture = LoadSource(source);
            out.areas = LockFrameAreas(picture, *copy, areas);
            out.jpeg = EncodeJpegStepDown(picture, quality);
            // From the picture as made: its protected areas are black already.
            if (thumbnail && out.jpeg) out.thumbnail = EncodeStoredThumbnail(picture);
            return out;
          },
          [&, id, source](FramePicture& out) {
            if (result) {
              for (const AreaBlock& area : out.areas) AppendBlock(area.name, working, area.data);
              if (out.jpeg) {
                AppendBlock(id, working, *out.jpeg);
                if (out.thumbnail) AppendBlock(ThumbnailBlockName(id), working, *out.thumbnail);
              } else {
                observer.ShowMessage(NotEncoded(source));
                result = false;  // later frames are not added; their messages still appear
              }
            }
            progress.Step();
          });
    }
  }
  pipeline.Finish();
  return result;
}

// Working files are hidden beside the output: "." and the output's stem.
std::string WorkingStem(const fs::path& output) {
  std::string stem(1, '.');
  stem += output.stem().string();
  return stem;
}

std::string UniqueJpegName(const std::string& source, std::set<std::string>& used) {
  const std::string stem = fs::path(source).stem().string();
  const std::string name =
      NumberedFileName(stem, ".jpg", [&used](const std::string& n) { return used.count(n) > 0; });
  used.insert(name);
  return name;
}

// Zips the entries into a working ZIP that then takes the output's place.
bool ZipInto(const std::vector<ZipEntry>& entries, const TKelPigger& document,
             MakeObserver& observer) {
  const std::string output = OutputPathOf(document);
  WorkingFile zip(fs::path(output).parent_path().string(), WorkingStem(output), ".zip");
  if (!ZipFiles(entries, zip.Path(), observer)) return false;
  // The working file was made private; the output gets the mode of any file the user makes.
  fs::permissions(zip.Path(), fs::perms(NewFileMode(false)));
  return CopyResult(zip.Path(), output);
}

}  // namespace

int JpegQualityOf(const TKelPigger& document) {
  const std::string text = document.GetAttr(n::kJpegQuality);
  int quality = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), quality);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty() ? quality : 100;
}

std::string OutputPathOf(const TKelPigger& document) {
  fs::path output = document.GetAttr(n::kOutputFile);
  const std::string kind = document.GetAttr(n::kOutputKind);
  if (kind == "1" || kind == "2") output.replace_extension(".zip");
  return output.string();
}

bool CopyResult(const std::string& source, const std::string& target) {
  return ReplaceFile(source, target);
}

bool MakeArchive(const TKelPigger& document, const MakeOptions& options, MakeObserver& observer) {
  const std::string kind = document.GetAttr(n::kOutputKind);
  if (kind == "2") return MakeJpegZip(document, options, observer);
  return MakeExecutable(document, kind == "1", options, observer);
}

bool MakeExecutable(const TKelPigger& document, bool envelope, const MakeOptions& options,
                    MakeObserver& observer) {
  observer.ShowPictureProgress(0);
  const fs::path output = document.GetAttr(n::kOutputFile);
  const std::string folder = output.parent_path().string();
  const std::string stem = output.stem().string();
  // Working files get names of their own beside the output, so the output is never one of
  // them and two makes never collide.
  std::optional<WorkingFile> working;
  try {
    working.emplace(folder, WorkingStem(output), kExecutableExtension);
    fs::copy_file(options.viewerPath, working->Path(), fs::copy_options::overwrite_existing);
    fs::permissions(working->Path(), fs::perms(NewFileMode(true)));
  } catch (const std::exception&) {
    observer.ShowMessage("No project compiller found.");
    return false;
  }
  if (!options.mainIcon.empty()) {
    try {
      ApplyIcon(options.mainIcon, working->Path());
    } catch (const std::exception&) {
      // The archive keeps the viewer's own icon; nothing is shown.
    }
  }
  try {
    if (!BuildArchive(document, working->Path(), options.areas, options.thumbnails, observer))
      return false;
    if (!envelope) return CopyResult(working->Path(), output.string());
    observer.ShowZipping();
    return ZipInto({{working->Path(), stem + kExecutableExtension, 0755}}, document, observer);
  } catch (const PictureError& e) {
    observer.ShowMessage(e.what());
    return false;
  } catch (const std::exception&) {
    return false;
  }
}

bool MakeJpegZip(const TKelPigger& document, const MakeOptions& options, MakeObserver& observer) {
  const int quality = JpegQualityOf(document);
  const auto frames = Frames(document);
  try {
    std::vector<ZipEntry> entries;
    std::set<std::string> used;
    {
      Progress progress(observer, static_cast<int>(frames.size()));
      OrderedPipeline<std::optional<std::string>> pipeline(PicturesInFlight());
      for (const TKelPigger* frame : frames) {
        const std::string source = frame->GetAttr(n::kSourceFile);
        if (source.empty()) {
          pipeline.Then([&] { progress.Step(); });
          continue;
        }
        pipeline.Submit(
            [&pipeline, &options, copy = CopyOf(*frame), source,
             quality]() -> std::optional<std::string> {
              if (pipeline.Stopping()) return std::nullopt;
              Bitmap picture = LoadSource(source);
              if (options.onPicture) options.onPicture(*copy, picture);
              return EncodeJpegStepDown(picture, quality);
            },
            [&, source](std::optional<std::string>& jpeg) {
              if (!jpeg) throw PictureError(NotEncoded(source));
              // Pictures of the same file name from different folders all arrive.
              const std::string name = UniqueJpegName(source, used);
              const std::string path = (fs::path(options.exportFolder) / name).string();
              WriteFileAtomically(path, *jpeg);
              entries.push_back({path, name});
              progress.Step();
            });
      }
      pipeline.Finish();
    }
    observer.ShowZipping();
    return ZipInto(entries, document, observer);
  } catch (const PictureError& e) {
    observer.ShowMessage(e.what());
    return false;
  } catch (const std::exception&) {
    return false;
  }
}

PictureCallback PointerDrawingFor(const TKelPigger& document) {
  if (document.GetAttr(n::kPointersInZip) != n::kYes) return {};
  return [](const TKelPigger& frame, Bitmap& picture) {
    if (const TKelPigger* pointers = frame.FindChild(n::kPointers))
      DrawPointersOnPicture(*pointers, picture);
  };
}

}  // namespace vx
