// Strong protection: what one password check costs at the parameters the maker writes (and
// at its neighbours, to show the choice), and how fast areas are sealed and opened, beside
// the compatible cipher.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>

#include "protection/archive_lock.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

long PeakKiB() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A picture of noise (which does not compress) with one area over most of it.
struct Frame {
  explicit Frame(int w, int h) : picture(w, h) {
    std::mt19937 random(7);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w * 3; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(random());
    element.LoadFromText(
        "<FRAME FRAME_ID=F1><PNTRS><PRAR OBJ_ID=A1 XR=0.1 YR=0.1 RFW=0.8 RFH=0.8/></PNTRS>"
        "</FRAME>");
  }
  vx::Bitmap picture;
  vx::TKelPigger element;
};

void AreaThroughput(const char* scheme, const vx::AreaLock& lock) {
  Frame frame(2000, 1500);
  const double megabytes = 1600.0 * 1200 * 3 / 1e6;
  auto start = Clock::now();
  const auto blocks = vx::LockFrameAreas(frame.picture, frame.element, lock);
  const double locking = Seconds(start);
  start = Clock::now();
  vx::RestoreAreas(frame.picture, frame.element, lock,
                   [&](std::string_view) { return std::string_view(blocks.at(0).data); });
  const double opening = Seconds(start);
  std::printf("%-11s %9.1f %9.1f   (an area of 1600 x 1200 pixels, with BMP and zlib)\n", scheme,
              megabytes / locking, megabytes / opening);
}

}  // namespace

int main() {
  std::printf("%-18s %8s %8s %12s\n", "passes, memory", "wall s", "cpu s", "peak MiB");
  const vx::KeyParameters tried[] = {
      {2, 64 * 1024}, vx::kDefaultKeyParameters, {3, 256 * 1024}, {4, 256 * 1024}};
  for (const vx::KeyParameters& parameters : tried) {
    vx::SealKey key;
    const vx::StrongLock lock = vx::NewStrongLock("correct horse", parameters, key);
    const double cpu = CpuSeconds();
    const auto start = Clock::now();
    const vx::PasswordCheck check = vx::CheckPassword(lock, "correct horse", key);
    const double wall = Seconds(start);
    if (check != vx::PasswordCheck::Right) return 1;
    const bool chosen = parameters.passes == vx::kDefaultKeyParameters.passes &&
                        parameters.memoryKiB == vx::kDefaultKeyParameters.memoryKiB;
    std::printf("%2llu, %4llu MiB%-6s %8.3f %8.3f %12ld\n",
                static_cast<unsigned long long>(parameters.passes),
                static_cast<unsigned long long>(parameters.memoryKiB / 1024), chosen ? " (*)" : "",
                wall, CpuSeconds() - cpu, PeakKiB() / 1024);
  }
  // Memory grows down the table, so the process's resident peak is each row's own.
  std::printf("(*) what the maker writes\n\n");

  std::printf("%-11s %9s %9s\n", "areas MB/s", "lock", "open");
  vx::SealKey key;
  vx::NewStrongLock("pw", vx::kLeastKeyParameters, key);
  AreaThroughput("strong", vx::AreaLock::Strong(key));
  AreaThroughput("compatible", vx::AreaLock::Compatible("password"));
  return 0;
}
