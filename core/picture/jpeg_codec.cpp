#include "picture/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace vx {
namespace {

// Progressive files with more scans than this are refused: each scan costs a full pass.
constexpr int kMaxScans = 500;

// libjpeg reports errors by calling error_exit, which must not return. Ours longjmps back
// into the C-style functions below; no C++ object with a destructor lives in their frames.
struct Context {
  jpeg_error_mgr manager;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  unsigned char* output;
  unsigned long outputSize;
};

void OnError(j_common_ptr cinfo) {
  auto* context = reinterpret_cast<Context*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, context->message);
  std::longjmp(context->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) OnError(cinfo);  // a warning means corrupt data
}

void OnProgress(j_common_ptr cinfo) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (cinfo->is_decompressor && dinfo->input_scan_number > kMaxScans) {
    auto* context = reinterpret_cast<Context*>(cinfo->err);
    std::snprintf(context->message, sizeof context->message, "Too many scans in JPEG file");
    std::longjmp(context->jump, 1);
  }
}

std::vector<JSAMPROW> RowPointers(Bitmap& bitmap) {
  std::vector<JSAMPROW> rows(static_cast<size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) rows[static_cast<size_t>(y)] = bitmap.Row(y);
  return rows;
}

void Prepare(Context& context, j_common_ptr cinfo) {
  cinfo->err = jpeg_std_error(&context.manager);
  context.manager.error_exit = OnError;
  context.manager.emit_message = OnMessage;
  context.message[0] = '\0';
  context.output = nullptr;
  context.outputSize = 0;
}

// Reads the header into dinfo; false with context.message on failure.
bool ReadHeader(Context& context, jpeg_decompress_struct& dinfo, const unsigned char* data,
                size_t size, JpegScale scale) {
  if (setjmp(context.jump)) return false;
  jpeg_create_decompress(&dinfo);
  context.progress.progress_monitor = OnProgress;
  dinfo.progress = &context.progress;
  jpeg_mem_src(&dinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&dinfo, TRUE);
  dinfo.out_color_space = JCS_EXT_BGR;
  if (scale == JpegScale::Quarter) {
    dinfo.scale_num = 1;
    dinfo.scale_denom = 4;
  }
  jpeg_calc_output_dimensions(&dinfo);
  return true;
}

// rows holds a pointer to every row of the bitmap: libjpeg then writes many rows per call
// straight into place instead of one at a time through its own buffer.
bool ReadPixels(Context& context, jpeg_decompress_struct& dinfo, JSAMPROW* rows) {
  if (setjmp(context.jump)) return false;
  jpeg_start_decompress(&dinfo);
  while (dinfo.output_scanline < dinfo.output_height) {
    jpeg_read_scanlines(&dinfo, rows + dinfo.output_scanline,
                        dinfo.output_height - dinfo.output_scanline);
  }
  jpeg_finish_decompress(&dinfo);
  return true;
}

bool Compress(Context& context, const Bitmap& bitmap, JSAMPROW* rows, int quality) {
  jpeg_compress_struct cinfo;
  Prepare(context, reinterpret_cast<j_common_ptr>(&cinfo));
  if (setjmp(context.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &context.output, &context.outputSize);
  cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
  cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    jpeg_write_scanlines(&cinfo, rows + cinfo.next_scanline,
                         cinfo.image_height - cinfo.next_scanline);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

bool LooksLikeJpeg(std::string_view bytes) { return bytes.starts_with("\xFF\xD8\xFF"); }

Bitmap DecodeJpeg(std::string_view bytes, JpegScale scale) {
  Context context;
  jpeg_decompress_struct dinfo;
  Prepare(context, reinterpret_cast<j_common_ptr>(&dinfo));
  if (bytes.empty()) throw std::runtime_error("Empty JPEG file");
  if (!ReadHeader(context, dinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                  bytes.size(), scale)) {
    jpeg_destroy_decompress(&dinfo);
    throw std::runtime_error(context.message);
  }
  Bitmap bitmap;
  std::vector<JSAMPROW> rows;
  try {
    bitmap = Bitmap(static_cast<int>(dinfo.output_width), static_cast<int>(dinfo.output_height));
    rows = RowPointers(bitmap);
  } catch (...) {
    jpeg_destroy_decompress(&dinfo);
    throw;
  }
  const bool ok = ReadPixels(context, dinfo, rows.data());
  jpeg_destroy_decompress(&dinfo);
  if (!ok) throw std::runtime_error(context.message);
  return bitmap;
}

std::optional<std::string> EncodeJpeg(const Bitmap& bitmap, int quality) {
  if (bitmap.Empty()) return std::nullopt;
  Context context;
  std::vector<JSAMPROW> rows = RowPointers(const_cast<Bitmap&>(bitmap));
  const bool ok = Compress(context, bitmap, rows.data(), std::clamp(quality, 1, 100));
  std::optional<std::string> result;
  if (ok) result.emplace(reinterpret_cast<const char*>(context.output), context.outputSize);
  std::free(context.output);
  return result;
}

std::optional<std::string> EncodeJpegStepDown(const Bitmap& bitmap, int quality,
                                              const JpegEncoder& encode,
                                              const std::function<void()>& pump) {
  for (int step = 0; step <= 80; step += 5) {
    if (auto stream = encode(bitmap, std::max(quality - step, 1))) return stream;
    if (pump) pump();
  }
  return std::nullopt;
}

}  // namespace vx
