// File access that the rest of the system builds on.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace vx {

// A file that could not be written, with the system's reason beside the message.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& message, std::error_code reason)
      : std::runtime_error(message), Reason(reason) {}
  std::error_code Reason;
};

// The whole file; fails with "Cannot open file %s".
std::string ReadWholeFile(const std::string& path);

// Replaces the file in one step: the bytes go to a temporary file in the same folder, are
// flushed and renamed over the target. Fails with "Cannot create file %s" (a FileError); the
// target is then left as it was. An existing target keeps its permissions.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);

// stem + extension, or for the first n from 2 on that gives a name not taken,
// stem + " (n)" + extension: "a.jpg", "a (2).jpg", "a (3).jpg".
std::string NumberedFileName(const std::string& stem, const std::string& extension,
                             const std::function<bool(const std::string&)>& taken);

// The mode a file the user makes gets under the current umask: 0666, or 0777 for a program,
// less the mask.
unsigned NewFileMode(bool executable);

}  // namespace vx

namespace vx {

// A file of a unique name in a folder, deleted when this object goes away.
class WorkingFile {
 public:
  // Creates an empty file named like "<stem>.XXXXXX<suffix>" in the folder, or in the system's
  // temporary folder when that fails. Fails with "Cannot create file %s".
  WorkingFile(const std::string& folder, const std::string& stem, const std::string& suffix);
  ~WorkingFile();
  WorkingFile(const WorkingFile&) = delete;
  WorkingFile& operator=(const WorkingFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Puts source in the place of target in one step (rename, or copy beside the target and
// rename where the two lie on different file systems). False when it could not be done; the
// target is then as it was.
bool ReplaceFile(const std::string& source, const std::string& target);

}  // namespace vx
