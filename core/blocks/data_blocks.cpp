#include "blocks/data_blocks.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

#include "platform/paths.h"
#include "text/text_case.h"

namespace vx {
namespace {

// Held in lower case and upper-cased only when a marker is built, so that the programs
// themselves never contain a complete marker.
constexpr char kStartTag[] = "so!#";
constexpr char kEndTag[] = "eo!#";
constexpr char kNameEnd = '\xB6';
constexpr size_t kTagSize = 4;
// Marker names are looked up through the index up to this length; longer ones are searched.
constexpr size_t kKeyBytes = 64;
// A scanned stretch begins a byte early and reaches on to hold the key behind its last tag.
constexpr size_t kStretchOverhang = 1 + kTagSize + kKeyBytes;

struct Location {
  size_t offset;
  size_t size;
};

std::optional<Location> LocateNaive(std::string_view image, std::string_view name) {
  const std::string start = StartMarker(name);
  const size_t s = image.find(start);
  if (s == std::string_view::npos) return std::nullopt;
  const size_t e = image.find(EndMarker(name));
  const size_t data = s + start.size();
  if (e == std::string_view::npos || e < data) return std::nullopt;
  return Location{data, e - data};
}

[[noreturn]] void ZlibError() { throw std::runtime_error("error"); }

}  // namespace

std::string StartMarker(std::string_view name) {
  return AsciiUpper(std::string(kStartTag) + std::string(name) + kNameEnd);
}

std::string EndMarker(std::string_view name) {
  return AsciiUpper(std::string(kEndTag) + std::string(name));
}

void AppendBlock(std::string_view name, const std::string& fileName, std::string_view data) {
  if (name.empty()) return;
  const int fd = ::open(fileName.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("Cannot open file " + fileName);
  const std::string start = StartMarker(name);
  const std::string end = EndMarker(name);
  bool ok = true;
  for (std::string_view piece : {std::string_view(start), data, std::string_view(end)}) {
    while (ok && !piece.empty()) {
      const ssize_t n = ::write(fd, piece.data(), piece.size());
      if (n < 0 && errno == EINTR) continue;
      ok = n > 0;
      if (ok) piece.remove_prefix(static_cast<size_t>(n));
    }
  }
  if (::close(fd) != 0 || !ok) throw std::runtime_error("Cannot create file " + fileName);
}

std::string_view FindBlockNaive(std::string_view image, std::string_view name) {
  const auto location = LocateNaive(image, name);
  return location ? image.substr(location->offset, location->size) : std::string_view();
}

// Every occurrence of one tag found so far, keyed by the bytes that follow it; the first
// occurrence of a marker is the smallest position among the keys that start with its name.
struct BlockIndex::Markers {
  std::vector<size_t> positions;
  std::map<std::string, size_t, std::less<>> firstByKey;

  void Add(size_t position, std::string_view key) {
    positions.push_back(position);
    firstByKey.emplace(key, position);
  }

  std::optional<size_t> First(std::string_view rest) const {
    std::optional<size_t> best;
    for (auto it = firstByKey.lower_bound(rest);
         it != firstByKey.end() && it->first.starts_with(rest); ++it) {
      if (!best || it->second < *best) best = it->second;
    }
    return best;
  }
};

BlockIndex::BlockIndex(std::string_view image, StretchReader reader)
    : image_(image),
      reader_(std::move(reader)),
      starts_(std::make_unique<Markers>()),
      ends_(std::make_unique<Markers>()) {}

BlockIndex::~BlockIndex() = default;

// The image is indexed from its beginning as far as lookups need: a block near the start is
// found at once, however large the image. Both tags end in "O!#".
void BlockIndex::ScanFurther() const {
  const std::lock_guard scanning(scanMutex_);
  size_t from = 0;
  {
    const std::lock_guard lock(mutex_);
    if (complete_) return;
    from = scanned_;
  }
  const size_t size = image_.size();
  const size_t limit = std::min(size, from + scanStep_);
  scanStep_ = std::min(scanStep_ * 2, kLargestScanStep);
  // A tag's first byte stands before the three searched for.
  const size_t origin = from - 1;
  std::string_view stretch = image_.substr(origin, limit - origin + kTagSize + kKeyBytes);
  if (reader_) {
    if (!stretch_) {
      stretch_ = std::make_unique_for_overwrite<char[]>(
          std::min(image_.size(), kLargestScanStep) + kStretchOverhang);
    }
    if (reader_(origin, stretch_.get(), stretch.size())) stretch = {stretch_.get(), stretch.size()};
  }
  const size_t end = limit - origin;  // tags are searched before this
  static const std::string startTag = AsciiUpper(kStartTag), endTag = AsciiUpper(kEndTag);
  std::vector<std::pair<size_t, std::string_view>> starts, ends;
  // Found by the middle byte of the three, a rare one: memchr runs far faster than a search
  // for all three.
  size_t k = 1;
  while (k + 3 <= end) {
    const void* hit = std::memchr(stretch.data() + k + 1, startTag[2], end - k - 2);
    if (!hit) break;
    const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - stretch.data()) - 1;
    if (stretch[at] == startTag[1] && stretch[at + 2] == startTag[3]) {
      const std::string_view key = stretch.substr(at - 1 + kTagSize, kKeyBytes);
      if (stretch[at - 1] == startTag[0]) starts.emplace_back(origin + at - 1, key);
      if (stretch[at - 1] == endTag[0]) ends.emplace_back(origin + at - 1, key);
    }
    k = at + 1;
  }
  from = origin + k;
  // Keys are copied: the mapping's pages need not be faulted in for them.
  const std::lock_guard lock(mutex_);
  for (const auto& [at, key] : starts) starts_->Add(at, key);
  for (const auto& [at, key] : ends) ends_->Add(at, key);
  // A tag cut by the limit is found from the next stretch.
  scanned_ = limit == size ? size : std::max(from, limit - 2);
  complete_ = scanned_ + 3 > size;
}

std::optional<size_t> BlockIndex::Locate(const Markers& markers, std::string_view tag,
                                         std::string_view rest) const {
  if (rest.size() > kKeyBytes) {
    const size_t found = image_.find(std::string(tag) + std::string(rest));
    return found == std::string_view::npos ? std::nullopt : std::optional(found);
  }
  for (;;) {
    {
      const std::lock_guard lock(mutex_);
      // What the scanned part holds comes before anything behind it.
      if (auto found = markers.First(rest)) return found;
      if (complete_) return std::nullopt;
    }
    ScanFurther();
  }
}

std::string_view BlockIndex::Find(std::string_view name) const {
  const std::string upper = AsciiUpper(name);
  const auto start = Locate(*starts_, AsciiUpper(kStartTag), upper + kNameEnd);
  if (!start) return {};
  const size_t data = *start + kTagSize + upper.size() + 1;
  const auto end = Locate(*ends_, AsciiUpper(kEndTag), upper);
  if (!end || *end < data) return {};
  return image_.substr(data, *end - data);
}

std::vector<BlockIndex::Entry> BlockIndex::List() const {
  for (bool complete = false; !complete;) {
    ScanFurther();
    const std::lock_guard lock(mutex_);
    complete = complete_;
  }
  std::vector<Entry> entries;
  std::set<std::string_view> seen;
  for (size_t position : starts_->positions) {
    const std::string_view key = image_.substr(position + kTagSize, kKeyBytes);
    const size_t nameEnd = key.find(kNameEnd);
    if (nameEnd == std::string_view::npos || !seen.insert(key.substr(0, nameEnd)).second) continue;
    const std::string name(key.substr(0, nameEnd));
    const size_t data = position + kTagSize + nameEnd + 1;
    const auto end = Locate(*ends_, AsciiUpper(kEndTag), AsciiUpper(name));
    // Only names that read back as this block: upper case, end marker behind the data.
    if (name != AsciiUpper(name) || !end || *end < data) continue;
    entries.push_back({name, data, *end - data});
  }
  return entries;
}

const ArchiveImage& OwnImage() {
  static const ArchiveImage image(OwnProgramPath());
  return image;
}

std::string_view ReadBlock(std::string_view name) { return OwnImage().ReadBlock(name); }

std::string CompressToString(std::string_view data) {
  if (data.size() > UINT32_MAX) ZlibError();
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string out(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    ZlibError();
  }
  out.resize(size);
  return out;
}

namespace {

// Inflates data; take(bytes so far) says where the next piece of output goes and how much
// room it has. Fails on damaged or unfinished data and past limit.
template <typename Take>
size_t Inflate(std::string_view data, size_t limit, Take take) {
  if (data.size() > UINT32_MAX) ZlibError();
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) ZlibError();
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  size_t total = 0;
  int status = Z_OK;
  while (status == Z_OK) {
    const auto [to, room] = take(total);
    stream.next_out = to;
    stream.avail_out = room;
    status = inflate(&stream, Z_NO_FLUSH);
    total += room - stream.avail_out;
    if (total > limit) status = Z_MEM_ERROR;
  }
  inflateEnd(&stream);
  if (status != Z_STREAM_END) ZlibError();
  return total;
}

}  // namespace

// Two passes: the first only counts, so the result is allocated once at its exact size. A
// block that inflates far beyond its own size fails at the limit having held no more than
// a scratch buffer, and no doubling buffer ever holds two copies.
std::string DecompressToStream(std::string_view data, size_t limit) {
  constexpr uInt kScratch = 64 * 1024;
  std::unique_ptr<Bytef[]> scratch(new Bytef[kScratch]);
  const size_t size = Inflate(
      data, limit, [&](size_t) { return std::pair<Bytef*, uInt>(scratch.get(), kScratch); });
  std::string out(size, '\0');
  Inflate(data, size, [&](size_t done) {
    return std::pair<Bytef*, uInt>(reinterpret_cast<Bytef*>(out.data() + done),
                                   static_cast<uInt>(std::min<size_t>(size - done, UINT32_MAX)));
  });
  return out;
}

}  // namespace vx
