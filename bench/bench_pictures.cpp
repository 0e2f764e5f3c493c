// JPEG decoding and encoding, previews, resampling and smoothing on photo-like 12 MP
// pictures, with the same work done by djpeg and cjpeg (same library) beside it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "formats/picture_preview.h"
#include "picture/jpeg_codec.h"
#include "picture/resample.h"
#include "platform/files.h"
#include "sample_pictures.h"

namespace {

using Clock = std::chrono::steady_clock;

double Time(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void WritePpm(const vx::Bitmap& bitmap, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << bitmap.Width() << " " << bitmap.Height() << "\n255\n";
  std::vector<char> row(static_cast<size_t>(bitmap.Width()) * 3);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* in = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      row[x * 3] = static_cast<char>(in[x * 3 + 2]);
      row[x * 3 + 1] = static_cast<char>(in[x * 3 + 1]);
      row[x * 3 + 2] = static_cast<char>(in[x * 3]);
    }
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
}

double Shell(const std::string& command) {
  return Time([&] {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  });
}

void Report(const char* what, double megapixels, double ours, double tool) {
  if (tool > 0) {
    std::printf("%-34s %8.1f MP/s   tool %8.1f MP/s   ours/tool time %.2f\n", what,
                megapixels / ours, megapixels / tool, ours / tool);
  } else {
    std::printf("%-34s %8.1f MP/s\n", what, megapixels / ours);
  }
}

}  // namespace

int main() {
  constexpr int kCount = 3, kWidth = 4000, kHeight = 3000;
  const auto folder = std::filesystem::temp_directory_path() / "vx_bench_pictures";
  std::filesystem::create_directories(folder);
  std::vector<std::string> jpegs, ppms;
  for (int i = 0; i < kCount; ++i) {
    const vx::Bitmap picture = vx::MakeSamplePicture(kWidth, kHeight, 1000 + i);
    jpegs.push_back(*vx::EncodeJpeg(picture, 92));
    ppms.push_back((folder / ("p" + std::to_string(i) + ".ppm")).string());
    WritePpm(picture, ppms.back());
    vx::WriteFileAtomically((folder / ("p" + std::to_string(i) + ".jpg")).string(), jpegs.back());
  }
  const double megapixels = kCount * kWidth * kHeight / 1e6;
  std::vector<vx::Bitmap> decoded(kCount);

  const double full = Time([&] {
    for (int i = 0; i < kCount; ++i) decoded[i] = vx::DecodeJpeg(jpegs[i]);
  });
  double tool = 0;
  for (int i = 0; i < kCount; ++i)
    tool +=
        Shell("djpeg -outfile /dev/null " + (folder / ("p" + std::to_string(i) + ".jpg")).string());
  Report("decode full", megapixels, full, tool);

  const double quarter = Time([&] {
    for (const auto& j : jpegs) vx::DecodeJpeg(j, vx::JpegScale::Quarter);
  });
  tool = 0;
  for (int i = 0; i < kCount; ++i)
    tool += Shell("djpeg -scale 1/4 -outfile /dev/null " +
                  (folder / ("p" + std::to_string(i) + ".jpg")).string());
  Report("decode quarter", megapixels, quarter, tool);

  // The wizard's preview of a photo: read, decoded at an eighth and fitted into its box.
  const double preview = Time([&] {
    for (int i = 0; i < kCount; ++i)
      vx::LoadPicturePreview((folder / ("p" + std::to_string(i) + ".jpg")).string(), {180, 256});
  });
  tool = 0;
  for (int i = 0; i < kCount; ++i)
    tool += Shell("djpeg -scale 1/8 -outfile /dev/null " +
                  (folder / ("p" + std::to_string(i) + ".jpg")).string());
  Report("preview in a 180 x 256 box", megapixels, preview, tool);

  const double encode = Time([&] {
    for (const auto& b : decoded) vx::EncodeJpeg(b, 65);
  });
  tool = 0;
  for (const auto& ppm : ppms) tool += Shell("cjpeg -quality 65 -outfile /dev/null " + ppm);
  Report("encode quality 65", megapixels, encode, tool);

  vx::Bitmap thumb(183, 137), big(5000, 3750);
  Report("resize to 183 x 137", megapixels, Time([&] {
           for (const auto& b : decoded) vx::ResizeBilinear(b, thumb);
         }),
         0);
  Report("resize to 5000 x 3750 (target MP)", kCount * 5000 * 3750 / 1e6, Time([&] {
           for (const auto& b : decoded) vx::ResizeBilinear(b, big);
         }),
         0);
  Report("smooth pass d=4", megapixels, Time([&] {
           for (auto& b : decoded) vx::SmoothPass(b, 4);
         }),
         0);
  std::filesystem::remove_all(folder);
  return 0;
}
