#include "platform/startup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <thread>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "text/text_case.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kReplacementCopy = "temp0a0.exe";
constexpr const char* kDeleteArgument = "deltemp";

bool Writable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

void AllowWriting(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
}

// Deletes the file, clearing its read-only bit between tries; a missing file counts as
// deleted, and a file that cannot be deleted is given up after the timeout.
bool DeleteWithRetries(const std::string& path, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    AllowWriting(path);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Writes a copy of our own file that can be run.
bool WriteRunnableCopy(const std::string& ownPath, const std::string& target) {
  try {
    WriteFileAtomically(target, ReadWholeFile(ownPath));
    return ::chmod(target.c_str(), 0755) == 0;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

StartupOptions OwnStartupOptions(int argc, char** argv) {
  StartupOptions options;
  options.ownPath = OwnProgramPath();
  options.arguments.assign(argv + std::min(argc, 1), argv + argc);
  options.cacheFolder = UserCacheFolder();
  return options;
}

bool RunStartupSteps(const StartupOptions& options) {
  bool quit = false;
  const fs::path own(options.ownPath);
  const std::string fileName = own.filename().string();
  const std::string firstArgument = options.arguments.empty() ? "" : options.arguments[0];

  std::error_code ec;
  fs::current_path(own.parent_path(), ec);

  // A program on a read-only medium (or without a write permission we may restore) runs
  // from a copy in the user's cache instead.
  if (!Writable(options.ownPath)) {
    AllowWriting(options.ownPath);
    if (!Writable(options.ownPath)) {
      const fs::path folder = fs::path(options.cacheFolder) / fileName;
      const std::string target = (folder / fileName).string();
      if (!FileExists(target)) {
        fs::create_directories(folder, ec);
        WriteRunnableCopy(options.ownPath, target);
      }
      StartProgram(target, {});
      quit = true;
    }
  }

  if (firstArgument == kDeleteArgument) {
    DeleteWithRetries(kReplacementCopy, options.deleteTimeout);
  }

  // We are the replacement copy: overwrite the archive named by our argument once its
  // process has let go of it, and restart it so that it deletes us.
  if (AsciiUpper(fileName) == AsciiUpper(kReplacementCopy) && !firstArgument.empty()) {
    if (DeleteWithRetries(firstArgument, options.deleteTimeout) &&
        WriteRunnableCopy(options.ownPath, firstArgument)) {
      StartProgram(firstArgument, {kDeleteArgument});
    }
    quit = true;
  }
  return quit;
}

}  // namespace vx
