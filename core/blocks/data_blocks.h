// Named data blocks appended to an executable: start marker "SO!#" + NAME + byte B6, the
// data, end marker "EO!#" + NAME. No lengths: readers find the markers by searching.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mapped_file.h"

namespace vx {

std::string StartMarker(std::string_view name);
std::string EndMarker(std::string_view name);

// Appends one block to the end of the file in place, so the file stays a valid archive
// prefix after every call. Nothing happens for an empty name.
void AppendBlock(std::string_view name, const std::string& fileName, std::string_view data);

// A block's data as readers see it: the bytes behind the first start marker up to the first
// end marker of the image (searched from the beginning); empty when either is missing or the
// end marker stands before the data.
std::string_view FindBlockNaive(std::string_view image, std::string_view name);

// The blocks of one image, answered from an index built from the image's start as far as
// lookups need; agrees with FindBlockNaive on every image and name. Safe to use from several
// threads at once.
class BlockIndex {
 public:
  // Copies a stretch of the image; false when it could not.
  using StretchReader = std::function<bool(size_t offset, char* into, size_t size)>;
  // The reader, when given, is how the scan for markers reads the image.
  explicit BlockIndex(std::string_view image, StretchReader reader = {});
  ~BlockIndex();
  std::string_view Find(std::string_view name) const;

  struct Entry {
    std::string name;
    size_t offset;  // of the data
    size_t size;
  };
  // Every block that reads back by its name, in the order of the start markers.
  std::vector<Entry> List() const;

 private:
  struct Markers;
  void ScanFurther() const;
  std::optional<size_t> Locate(const Markers& markers, std::string_view tag,
                               std::string_view rest) const;

  static constexpr size_t kLargestScanStep = size_t{4} << 20;
  std::string_view image_;
  StretchReader reader_;
  std::unique_ptr<Markers> starts_;
  std::unique_ptr<Markers> ends_;
  mutable std::mutex mutex_;  // guards the markers and how far the scan has come
  mutable size_t scanned_ = 1;  // the next place a tag's last three bytes may start
  mutable bool complete_ = false;
  mutable std::mutex scanMutex_;  // one scan at a time; lookups meanwhile use what is found
  mutable size_t scanStep_ = size_t{1} << 20;
  mutable std::unique_ptr<char[]> stretch_;  // the reader's copy, kept between scans
};

// An archive file mapped read-only, with its block index.
class ArchiveImage {
 public:
  explicit ArchiveImage(const std::string& path)
      : file_(path), index_(file_.Bytes(), [this](size_t offset, char* into, size_t size) {
          return file_.ReadAt(offset, into, size);
        }) {}
  std::string_view Bytes() const { return file_.Bytes(); }
  std::string_view ReadBlock(std::string_view name) const { return index_.Find(name); }
  const BlockIndex& Index() const { return index_; }

 private:
  MappedFile file_;
  BlockIndex index_;
};

// The running program's own file, mapped on first use and kept until the program ends.
const ArchiveImage& OwnImage();
std::string_view ReadBlock(std::string_view name);

// zlib format at level 9, one pass; failures raise "error".
std::string CompressToString(std::string_view data);
// Inflates, refusing to produce more than limit bytes (a small block that claims gigabytes
// fails with "error" instead of exhausting memory).
inline constexpr size_t kMaxInflatedSize = size_t{512} << 20;
std::string DecompressToStream(std::string_view data, size_t limit = kMaxInflatedSize);

}  // namespace vx
