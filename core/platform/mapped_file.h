// A file mapped read-only into memory: large archives are read without copying them.
#pragma once

#include <string>
#include <string_view>

namespace vx {

class MappedFile {
 public:
  // Fails with "Cannot open file %s".
  explicit MappedFile(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::string_view Bytes() const { return {data_, size_}; }
  // The same bytes copied through the file, without faulting in pages of the mapping: a
  // pass over a large file that reads most of it once is quicker so. False on a short read.
  bool ReadAt(size_t offset, char* into, size_t size) const;

 private:
  const char* data_ = nullptr;
  size_t size_ = 0;
  int fd_ = -1;
};

}  // namespace vx
