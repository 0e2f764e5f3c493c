#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace vx {

MappedFile::MappedFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("Cannot open file " + path);
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    throw std::runtime_error("Cannot open file " + path);
  }
  size_ = static_cast<size_t>(info.st_size);
  if (size_ > 0) {
    void* map = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map == MAP_FAILED) {
      ::close(fd);
      throw std::runtime_error("Cannot open file " + path);
    }
    data_ = static_cast<const char*>(map);
  }
  fd_ = fd;
}

MappedFile::~MappedFile() {
  if (data_) ::munmap(const_cast<char*>(data_), size_);
  ::close(fd_);
}

bool MappedFile::ReadAt(size_t offset, char* into, size_t size) const {
  while (size > 0) {
    const ssize_t n = ::pread(fd_, into, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    into += n;
    offset += static_cast<size_t>(n);
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace vx
