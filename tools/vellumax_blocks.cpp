// Looks inside an archive without running it: lists its blocks, or prints or saves one.
//   vellumax-blocks ARCHIVE                 name, data offset and size of every block
//   vellumax-blocks ARCHIVE NAME [-o FILE]  the data of one block (stdout or FILE)
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "blocks/data_blocks.h"
#include "platform/files.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: vellumax-blocks ARCHIVE [NAME [-o FILE]]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3 && !(argc == 5 && std::strcmp(argv[3], "-o") == 0)) return Usage();
  try {
    const vx::ArchiveImage archive(argv[1]);
    if (argc == 2) {
      std::printf("%-40s %12s %12s\n", "NAME", "OFFSET", "SIZE");
      for (const auto& entry : archive.Index().List()) {
        std::printf("%-40s %12zu %12zu\n", entry.name.c_str(), entry.offset, entry.size);
      }
      return 0;
    }
    const std::string_view data = archive.ReadBlock(argv[2]);
    if (data.empty()) {
      std::fprintf(stderr, "vellumax-blocks: no block %s in %s\n", argv[2], argv[1]);
      return 1;
    }
    if (argc == 5) {
      vx::WriteFileAtomically(argv[4], data);
    } else if (std::fwrite(data.data(), 1, data.size(), stdout) != data.size()) {
      return 1;
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vellumax-blocks: %s\n", e.what());
    return 1;
  }
}
