#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace vx {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open file " + path);
  std::string bytes;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size > 0) {
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    in.read(bytes.data(), size);
    bytes.resize(static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) throw std::runtime_error("Cannot open file " + path);
  return bytes;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string failure = "Cannot create file " + path;
  std::string dir = std::filesystem::path(path).parent_path().string();
  if (dir.empty()) dir = ".";
  std::string tmpl = (std::filesystem::path(dir) / ".vx-XXXXXX").string();
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  // Close-on-exec: a program started meanwhile must not hold the file open.
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) throw FileError(failure, {errno, std::generic_category()});

  struct stat existing {};
  const mode_t mode =
      ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : NewFileMode(false);
  const bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !ok || ::rename(name.data(), path.c_str()) != 0) {
    const std::error_code reason(errno, std::generic_category());
    ::unlink(name.data());
    throw FileError(failure, reason);
  }
}

std::string NumberedFileName(const std::string& stem, const std::string& extension,
                             const std::function<bool(const std::string&)>& taken) {
  std::string name = stem + extension;
  for (int n = 2; taken(name); ++n) name = stem + " (" + std::to_string(n) + ")" + extension;
  return name;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

unsigned NewFileMode(bool executable) {
  // The kernel tells the umask without changing it; setting and restoring it would race with
  // threads that make files meanwhile.
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line) && !line.starts_with("Umask:")) {
  }
  mode_t mask;
  if (line.starts_with("Umask:")) {
    mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
  } else {
    mask = ::umask(0);
    ::umask(mask);
  }
  return (executable ? 0777u : 0666u) & ~mask;
}

}  // namespace vx

namespace vx {
namespace {

int MakeUnique(const std::string& folder, const std::string& stem, const std::string& suffix,
               std::string& path) {
  std::string pattern =
      (std::filesystem::path(folder.empty() ? "." : folder) / (stem + ".XXXXXX" + suffix)).string();
  const int fd = ::mkostemps(pattern.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
  if (fd >= 0) path = pattern;
  return fd;
}

}  // namespace

WorkingFile::WorkingFile(const std::string& folder, const std::string& stem,
                         const std::string& suffix) {
  int fd = MakeUnique(folder, stem, suffix, path_);
  if (fd < 0) fd = MakeUnique(std::filesystem::temp_directory_path().string(), stem, suffix, path_);
  if (fd < 0) throw std::runtime_error("Cannot create file " + stem + suffix);
  ::close(fd);
}

WorkingFile::~WorkingFile() { ::unlink(path_.c_str()); }

bool ReplaceFile(const std::string& source, const std::string& target) {
  if (::rename(source.c_str(), target.c_str()) == 0) return true;
  if (errno != EXDEV) return false;
  // Another file system: copy next to the target first, so the last step is still a rename.
  std::error_code ec;
  const std::string dir = std::filesystem::path(target).parent_path().string();
  std::string copy;
  const int fd = MakeUnique(dir, ".vx-copy", "", copy);
  if (fd < 0) return false;
  ::close(fd);
  struct stat info {};
  const bool ok = std::filesystem::copy_file(
                      source, copy, std::filesystem::copy_options::overwrite_existing, ec) &&
                  ::stat(source.c_str(), &info) == 0 &&
                  ::chmod(copy.c_str(), info.st_mode & 07777) == 0 &&
                  ::rename(copy.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(copy.c_str());
  return ok;
}

}  // namespace vx
