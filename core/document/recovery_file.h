// Work the builder had not saved when it ended without closing: while its project has
// unsaved changes, their state is written every little while to a recovery file of its own
// beside the settings file, never over the project file itself.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "document/kel_pigger.h"
#include "document/project_history.h"

namespace vx {

struct Recovery {
  std::string path;         // the recovery file
  std::string projectFile;  // the project's own file; it need not exist
  std::time_t time = 0;     // when it was last written
};

// The recovery file of a builder process: beside the settings file, named after it.
std::string RecoveryFilePath(const std::string& settingsFile, int processId);

// Root RECOVERY with the project's file and the writer's process, the project as its child;
// the file is replaced atomically. Fails with "Cannot create file %s".
void WriteRecoveryFile(const std::string& path, const std::string& projectFile, int processId,
                       const ProjectState& state);

// Recovery files beside the settings file left by builders no longer running (or whose id
// another program has now) and newer than their projects, the newest first. A file older than its
// project, or one that cannot be read, is removed; those of running builders other than
// ownProcessId are left to them.
std::vector<Recovery> FindRecoveries(const std::string& settingsFile, int ownProcessId);

// The project a recovery file holds, root VX. Fails with "File loading error." when it holds
// none; file and parse errors pass on.
std::unique_ptr<TKelPigger> LoadRecoveredProject(const std::string& path);

// "Recover unsaved changes of NAME from TIME?", the project's file name and the local time.
std::string RecoveryQuestion(const Recovery& recovery);

// Keeps one process's recovery file in step with a project's history.
class RecoveryKeeper {
 public:
  RecoveryKeeper(std::string path, int processId) : path_(std::move(path)), processId_(processId) {}
  // With unsaved changes, writes them when they moved since the last write; without, removes
  // what it wrote. A write that fails is tried again next time: the user's work goes on.
  void Keep(const ProjectHistory& history, const std::string& projectFile);
  void Remove();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int processId_;
  bool written_ = false;
  std::uint64_t writtenVersion_ = 0;
  std::string writtenFor_;
};

}  // namespace vx
