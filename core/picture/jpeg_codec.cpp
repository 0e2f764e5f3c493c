#include "picture/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
// Files of several scans (progressive ones) are held whole as coefficients, two bytes per
// sample, before any row comes out; a header may claim any size, so this is checked first.
constexpr std::uint64_t kMaxCoefficientBytes = std::uint64_t{512} << 20;
// Damaged files warn once per damaged place; a file that warns this often is hostile.
constexpr long kMaxWarnings = 100;
// The encoder's output starts this large and doubles as it fills.
constexpr size_t kFirstOutputBytes = 64 * 1024;

// libjpeg reports errors by calling error_exit, which must not return. Ours longjmps back
// into the C-style functions below; no C++ object with a destructor lives in their frames.
// The encoder writes into a buffer that only this code allocates and frees, so an error at
// any point leaves exactly one buffer to free.
struct Output {
  jpeg_destination_mgr manager;
  unsigned char* data;
  size_t capacity;
  size_t size;
  size_t limit;
};

struct Context {
  jpeg_error_mgr manager;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  Output output;
  bool dataEnded;  // the file ended before the picture
  bool strict;     // any warning fails the decode
};

void OnError(j_common_ptr cinfo) {
  auto* context = reinterpret_cast<Context*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, context->message);
  std::longjmp(context->jump, 1);
}

// Warnings (stray bytes, a premature end) leave a picture as every viewer shows it; only
// their number is limited. Those after the end of the file (one per restart interval left)
// come from no data and are not counted.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  auto* context = reinterpret_cast<Context*>(cinfo->err);
  if (context->strict) OnError(cinfo);
  if (context->dataEnded) return;
  if (cinfo->err->msg_code == JWRN_JPEG_EOF) context->dataEnded = true;
  if (cinfo->err->msg_code == JWRN_HIT_MARKER && cinfo->is_decompressor) {
    // In a file of one scan a marker inside the data ends it for good, unless it is a
    // restart marker of a file with restart intervals (decoding goes on behind it) or one
    // that libjpeg skips (below 0xC0). Files of several scans go on with their next scan.
    const auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    const bool oneScan = !dinfo->progressive_mode && dinfo->comps_in_scan == dinfo->num_components;
    const int marker = dinfo->unread_marker;
    const bool restart = marker >= 0xD0 && marker <= 0xD7;
    if (oneScan && (dinfo->restart_interval == 0 || (marker >= 0xC0 && !restart)))
      context->dataEnded = true;
  }
  if (++cinfo->err->num_warnings > kMaxWarnings) {
    std::snprintf(context->message, sizeof context->message, "Too many warnings in JPEG file");
    std::longjmp(context->jump, 1);
  }
}

Output& OutputOf(j_compress_ptr cinfo) { return *reinterpret_cast<Output*>(cinfo->dest); }

void StartOutput(j_compress_ptr cinfo) {
  Output& out = OutputOf(cinfo);
  out.capacity = std::min(kFirstOutputBytes, out.limit);
  out.data = static_cast<unsigned char*>(std::malloc(out.capacity));
  if (!out.data) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
  out.manager.next_output_byte = out.data;
  out.manager.free_in_buffer = out.capacity;
}

// Called when the buffer is full: grow it, never past the limit.
boolean GrowOutput(j_compress_ptr cinfo) {
  Output& out = OutputOf(cinfo);
  if (out.capacity >= out.limit) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 2);
  const size_t grown = std::min(out.capacity * 2, out.limit);
  auto* data = static_cast<unsigned char*>(std::realloc(out.data, grown));
  if (!data) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 3);  // out.data is still ours to free
  out.data = data;
  out.manager.next_output_byte = data + out.capacity;
  out.manager.free_in_buffer = grown - out.capacity;
  out.capacity = grown;
  return TRUE;
}

void EndOutput(j_compress_ptr cinfo) {
  Output& out = OutputOf(cinfo);
  out.size = out.capacity - out.manager.free_in_buffer;
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

// libjpeg rounds scaled sizes up.
unsigned DenominatorFor(const jpeg_decompress_struct& dinfo, Size box) {
  const Size fitted =
      FitInside({static_cast<int>(dinfo.image_width), static_cast<int>(dinfo.image_height)}, box);
  for (unsigned denominator : {8u, 4u, 2u}) {
    if ((dinfo.image_width + denominator - 1) / denominator >=
            static_cast<unsigned>(fitted.width) &&
        (dinfo.image_height + denominator - 1) / denominator >=
            static_cast<unsigned>(fitted.height))
      return denominator;
  }
  return 1;
}

void Prepare(Context& context, j_common_ptr cinfo) {
  cinfo->err = jpeg_std_error(&context.manager);
  context.manager.error_exit = OnError;
  context.manager.emit_message = OnMessage;
  context.message[0] = '\0';
  context.dataEnded = false;
  context.strict = false;
}

// Reads the header into dinfo; false with context.message on failure. CMYK and YCCK files
// are decoded as CMYK and turned into colour afterwards; everything else libjpeg gives as
// blue, green, red directly, greyscale included.
bool ReadHeader(Context& context, jpeg_decompress_struct& dinfo, const unsigned char* data,
                size_t size, JpegScale scale, Size box) {
  if (setjmp(context.jump)) return false;
  jpeg_create_decompress(&dinfo);
  context.progress.progress_monitor = OnProgress;
  dinfo.progress = &context.progress;
  jpeg_mem_src(&dinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&dinfo, TRUE);
  if (jpeg_has_multiple_scans(&dinfo)) {
    std::uint64_t bytes = 0;
    for (int i = 0; i < dinfo.num_components; ++i) {
      const jpeg_component_info& component = dinfo.comp_info[i];
      bytes += std::uint64_t{component.width_in_blocks} * component.height_in_blocks * DCTSIZE2 *
               sizeof(JCOEF);
    }
    if (bytes > kMaxCoefficientBytes) {
      std::snprintf(context.message, sizeof context.message, "Picture too large");
      return false;
    }
  }
  const bool cmyk = dinfo.jpeg_color_space == JCS_CMYK || dinfo.jpeg_color_space == JCS_YCCK;
  dinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (scale == JpegScale::Quarter) {
    dinfo.scale_num = 1;
    dinfo.scale_denom = 4;
  }
  if (box.width > 0 && box.height > 0) dinfo.scale_denom = DenominatorFor(dinfo, box);
  jpeg_calc_output_dimensions(&dinfo);
  return true;
}

// Adobe's programs write CMYK inverted (0 is full ink) and mark such files with their
// segment; files without it hold plain ink values.
void CmykToBgr(const JSAMPLE* in, std::uint8_t* out, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
    const int k = inverted ? in[3] : 255 - in[3];
    for (int channel = 0; channel < 3; ++channel) {
      const int c = inverted ? in[2 - channel] : 255 - in[2 - channel];
      out[channel] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
  }
}

// rows holds a pointer to every row of the bitmap: libjpeg then writes many rows per call
// straight into place instead of one at a time through its own buffer. CMYK comes a row at
// a time through cmykRow (4 bytes per pixel of the output width).
bool ReadPixels(Context& context, jpeg_decompress_struct& dinfo, JSAMPROW* rows, JSAMPROW cmykRow) {
  if (setjmp(context.jump)) return false;
  jpeg_start_decompress(&dinfo);
  const bool inverted = dinfo.saw_Adobe_marker;
  // In a file of one scan every block after the end of the data is empty, so all rows that
  // libjpeg would still give are alike: a few block rows after the end (libjpeg decodes
  // ahead of its output and blends neighbouring rows), the rest is copied from the last row.
  // A few hundred bytes that claim a huge picture cost no full decode.
  const bool oneScan = !jpeg_has_multiple_scans(&dinfo);
  const JDIMENSION blockRows =
      static_cast<JDIMENSION>(dinfo.max_v_samp_factor * dinfo.min_DCT_scaled_size);
  JDIMENSION endedAt = 0;
  while (dinfo.output_scanline < dinfo.output_height) {
    if (dinfo.out_color_space == JCS_CMYK) {
      JSAMPROW target = rows[dinfo.output_scanline];
      jpeg_read_scanlines(&dinfo, &cmykRow, 1);
      CmykToBgr(cmykRow, target, dinfo.output_width, inverted);
    } else {
      jpeg_read_scanlines(&dinfo, rows + dinfo.output_scanline,
                          dinfo.output_height - dinfo.output_scanline);
    }
    if (!oneScan || !context.dataEnded) continue;
    if (endedAt == 0) endedAt = dinfo.output_scanline;
    if (dinfo.output_scanline >= endedAt + 5 * blockRows &&
        dinfo.output_scanline < dinfo.output_height) {
      const size_t rowBytes = size_t{3} * dinfo.output_width;
      for (JDIMENSION y = dinfo.output_scanline; y < dinfo.output_height; ++y)
        std::memcpy(rows[y], rows[dinfo.output_scanline - 1], rowBytes);
      return true;  // jpeg_destroy_decompress ends the unfinished decompression
    }
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
  context.output.manager.init_destination = StartOutput;
  context.output.manager.empty_output_buffer = GrowOutput;
  context.output.manager.term_destination = EndOutput;
  cinfo.dest = &context.output.manager;
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

Bitmap Decode(std::string_view bytes, JpegScale scale, Size box, bool strict = false) {
  Context context;
  jpeg_decompress_struct dinfo;
  Prepare(context, reinterpret_cast<j_common_ptr>(&dinfo));
  context.strict = strict;
  if (bytes.empty()) throw std::runtime_error("Empty JPEG file");
  if (!ReadHeader(context, dinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                  bytes.size(), scale, box)) {
    jpeg_destroy_decompress(&dinfo);
    throw std::runtime_error(context.message);
  }
  Bitmap bitmap;
  std::vector<JSAMPROW> rows;
  std::vector<JSAMPLE> cmykRow;
  try {
    bitmap = Bitmap(static_cast<int>(dinfo.output_width), static_cast<int>(dinfo.output_height));
    rows = RowPointers(bitmap);
    if (dinfo.out_color_space == JCS_CMYK) cmykRow.resize(size_t{4} * dinfo.output_width);
  } catch (...) {
    jpeg_destroy_decompress(&dinfo);
    throw;
  }
  const bool ok = ReadPixels(context, dinfo, rows.data(), cmykRow.data());
  jpeg_destroy_decompress(&dinfo);
  if (!ok) throw std::runtime_error(context.message);
  return bitmap;
}

}  // namespace

bool LooksLikeJpeg(std::string_view bytes) { return bytes.starts_with("\xFF\xD8\xFF"); }

Bitmap DecodeJpeg(std::string_view bytes, JpegScale scale) { return Decode(bytes, scale, {}); }

Bitmap DecodeJpegForBox(std::string_view bytes, Size box) {
  return Decode(bytes, JpegScale::Full, box);
}

Bitmap DecodeJpegIntactForBox(std::string_view bytes, Size box) {
  return Decode(bytes, JpegScale::Full, box, true);
}

std::optional<std::string> EncodeJpeg(const Bitmap& bitmap, int quality) {
  return EncodeJpegWithin(bitmap, quality, kMaxJpegBytes);
}

std::optional<std::string> EncodeJpegWithin(const Bitmap& bitmap, int quality, size_t maxBytes) {
  if (bitmap.Empty() || maxBytes == 0) return std::nullopt;
  Context context{};
  std::vector<JSAMPROW> rows = RowPointers(const_cast<Bitmap&>(bitmap));
  // libjpeg asks for room as soon as the buffer is full, also after the file's last byte.
  context.output.limit = maxBytes + 1;
  const bool ok = Compress(context, bitmap, rows.data(), std::clamp(quality, 1, 100));
  std::optional<std::string> result;
  if (ok) result.emplace(reinterpret_cast<const char*>(context.output.data), context.output.size);
  std::free(context.output.data);
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
