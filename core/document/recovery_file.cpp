#include "document/recovery_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <ctime>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "document/vocabulary.h"
#include "platform/process.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
namespace n = names;

constexpr const char* kSuffix = ".recovery";

// Modification time to the nanosecond; nothing when the file is not there.
std::optional<timespec> ModifiedAt(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return info.st_mtim;
}

bool Later(const timespec& a, const timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

int ProcessIdOf(const std::string& text) {
  int id = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  return ec == std::errc() && end == text.data() + text.size() ? id : 0;
}

void RemoveQuietly(const std::string& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

}  // namespace

std::string RecoveryFilePath(const std::string& settingsFile, int processId) {
  const fs::path settings(settingsFile);
  return (settings.parent_path() /
          (settings.stem().string() + "-" + std::to_string(processId) + kSuffix))
      .string();
}

void WriteRecoveryFile(const std::string& path, const std::string& projectFile, int processId,
                       const ProjectState& state) {
  TKelPigger root;
  root.SetName(n::kRecoveryRoot);
  root.SetAttr(n::kRecoveredFile, projectFile);
  root.SetAttr(n::kProcessId, std::to_string(processId));
  auto project = std::make_unique<TKelPigger>();
  WriteProject(*project, state.properties, state.stripWidth, state.frames);
  project.release()->SetParent(&root);
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  root.SaveToFile(path);
}

std::vector<Recovery> FindRecoveries(const std::string& settingsFile, int ownProcessId) {
  const fs::path settings(settingsFile);
  const std::string prefix = settings.stem().string() + "-";
  std::vector<std::pair<timespec, Recovery>> found;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(settings.parent_path(), ec)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix) || !name.ends_with(kSuffix)) continue;
    const std::string path = entry.path().string();
    const auto written = ModifiedAt(path);
    if (!written) continue;
    TKelPigger root;
    try {
      root.LoadFromFile(path);
    } catch (const std::exception&) {
      RemoveQuietly(path);
      continue;
    }
    const std::string projectFile = root.GetAttr(n::kRecoveredFile);
    const int writer = ProcessIdOf(root.GetAttr(n::kProcessId));
    if (root.Name != n::kRecoveryRoot || projectFile.empty() || !root.FindChild(n::kProjectRoot)) {
      RemoveQuietly(path);
      continue;
    }
    // This process has written nothing yet, so a file under its id is a dead one's.
    if (writer != ownProcessId && SameProgramRunning(writer)) continue;
    const auto saved = ModifiedAt(projectFile);
    if (saved && !Later(*written, *saved)) {
      RemoveQuietly(path);
      continue;
    }
    found.push_back({*written, {path, projectFile, written->tv_sec}});
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return Later(a.first, b.first); });
  std::vector<Recovery> recoveries;
  for (auto& [written, recovery] : found) recoveries.push_back(std::move(recovery));
  return recoveries;
}

std::unique_ptr<TKelPigger> LoadRecoveredProject(const std::string& path) {
  TKelPigger root;
  root.LoadFromFile(path);
  const TKelPigger* project = root.FindChild(n::kProjectRoot);
  if (root.Name != n::kRecoveryRoot || !project) throw std::runtime_error("File loading error.");
  auto document = std::make_unique<TKelPigger>();
  document->Assign(*project);
  return document;
}

std::string RecoveryQuestion(const Recovery& recovery) {
  std::tm local{};
  localtime_r(&recovery.time, &local);
  char time[32];
  std::strftime(time, sizeof time, "%Y-%m-%d %H:%M", &local);
  return "Recover unsaved changes of " + fs::path(recovery.projectFile).filename().string() +
         " from " + time + "?";
}

void RecoveryKeeper::Keep(const ProjectHistory& history, const std::string& projectFile) {
  if (!history.Changed()) {
    Remove();
    return;
  }
  if (written_ && writtenVersion_ == history.Version() && writtenFor_ == projectFile) return;
  try {
    WriteRecoveryFile(path_, projectFile, processId_, history.Current());
  } catch (const std::exception&) {
    return;
  }
  written_ = true;
  writtenVersion_ = history.Version();
  writtenFor_ = projectFile;
}

void RecoveryKeeper::Remove() {
  // A file of the same name that this keeper did not write is a dead builder's of the same id,
  // still to be offered.
  if (!written_) return;
  RemoveQuietly(path_);
  written_ = false;
}

}  // namespace vx
