// A zipped picture block of about 1 MB that inflates towards 1 GiB, as a hostile archive
// would hold it: reading it must fail with the viewer's peak memory under 600 MB.
#include <sys/resource.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "blocks/data_blocks.h"

namespace {

// 1 GiB of zeros deflated piece by piece, so making it costs no gigabyte either.
std::string Bomb() {
  z_stream stream{};
  deflateInit(&stream, Z_BEST_COMPRESSION);
  const std::string zeros(1 << 20, '\0');
  std::string out, piece(1 << 16, '\0');
  for (int i = 0; i < 1024; ++i) {
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
    stream.avail_in = static_cast<uInt>(zeros.size());
    const int flush = i == 1023 ? Z_FINISH : Z_NO_FLUSH;
    do {
      stream.next_out = reinterpret_cast<Bytef*>(piece.data());
      stream.avail_out = static_cast<uInt>(piece.size());
      deflate(&stream, flush);
      out.append(piece.data(), piece.size() - stream.avail_out);
    } while (stream.avail_out == 0);
  }
  deflateEnd(&stream);
  return out;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

}  // namespace

int main() {
  const std::string block = Bomb();
  const double before = PeakMegabytes();
  const auto start = std::chrono::steady_clock::now();
  bool refused = false;
  try {
    vx::DecompressToStream(block);
  } catch (const std::runtime_error&) {
    refused = true;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double peak = PeakMegabytes();
  std::printf("block %.2f MB: %s after %.2f s, peak memory %.0f MB (%.0f MB before)\n",
              block.size() / 1e6, refused ? "refused" : "ACCEPTED", seconds, peak, before);
  if (!refused || peak >= 600) {
    std::fprintf(stderr, "target missed: refused, with a peak under 600 MB\n");
    return 1;
  }
  return 0;
}
