#include "archive/zip_files.h"

#include <minizip/zip.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>

namespace vx {
namespace {

constexpr size_t kPiece = 16384;
constexpr uLong kUtf8Names = 1 << 11;  // general purpose flag: the name is UTF-8
// "Version made by": the high byte names the system whose attributes the entry carries (3 is
// Unix, whose mode and file type sit in the upper half of the external attributes); the low
// byte the ZIP version the writer follows.
constexpr uLong kMadeOnUnix = 3 << 8;
constexpr uLong kRegularFile = 0100000;

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool ZipFiles(const std::vector<ZipEntry>& entries, const std::string& zipName,
              MakeObserver& observer) {
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[kPiece]);
  if (!buffer) {
    observer.ShowMessage("Error allocating memory");
    return false;
  }
  zipFile zip = zipOpen64(zipName.c_str(), APPEND_STATUS_CREATE);
  if (!zip) {
    observer.ShowMessage("error opening " + zipName);
    return false;
  }
  bool ok = true;
  for (const ZipEntry& entry : entries) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(entry.path, ec);
    const int zip64 = !ec && size >= 0xFFFFFFFFu ? 1 : 0;
    zip_fileinfo info{};  // all-zero time: date field 0x0020, time field 0
    info.external_fa = (kRegularFile | entry.mode) << 16;
    if (zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                Z_DEFLATED, 9, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                nullptr, 0, kMadeOnUnix | (zip64 ? 45 : 20),
                                IsAscii(entry.name) ? 0 : kUtf8Names, zip64) != ZIP_OK) {
      observer.ShowMessage("error in opening " + entry.name + " in zipfile");
      ok = false;
      break;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(entry.path.c_str(), "rb"), std::fclose);
    if (!in) {
      observer.ShowMessage("error in opening " + entry.path + " for reading");
      ok = false;
    }
    while (ok) {
      const size_t read = std::fread(buffer.get(), 1, kPiece, in.get());
      if (read < kPiece && !std::feof(in.get())) {
        observer.ShowMessage("error in reading " + entry.name);
        ok = false;
      } else if (read > 0 &&
                 zipWriteInFileInZip(zip, buffer.get(), static_cast<unsigned>(read)) != ZIP_OK) {
        observer.ShowMessage("error in writing " + entry.name + " in the zipfile");
        ok = false;
      }
      if (read < kPiece) break;
    }
    if (zipCloseFileInZip(zip) != ZIP_OK) ok = false;
    if (!ok) break;
  }
  if (zipClose(zip, nullptr) != ZIP_OK) ok = false;
  return ok;
}

}  // namespace vx
