#include "formats/picture_file.h"

#include <libheif/heif.h>
#include <stb/stb_image.h>
#include <tiffio.h>
#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "formats/orientation.h"
#include "picture/bmp_codec.h"
#include "picture/jpeg_codec.h"
#include "platform/files.h"
#include "text/text_case.h"

namespace vx {
namespace {

[[noreturn]] void Fail(const std::string& message) { throw std::runtime_error(message); }

// Sizes come from the file: check them before anything is allocated.
void CheckSize(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0 ||
      width * height * 3 > static_cast<std::int64_t>(kMaxBitmapBytes)) {
    Fail("Picture too large");
  }
}

// Transparent pixels show as on a white page, as a picture viewer shows them; colour and
// alpha come straight (not premultiplied), red first.
Bitmap OnWhite(const std::uint8_t* rgba, int width, int height, size_t stride) {
  Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = rgba + static_cast<size_t>(y) * stride;
    std::uint8_t* out = bitmap.Row(y);
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
      const int alpha = in[3];
      for (int c = 0; c < 3; ++c)
        out[c] = static_cast<std::uint8_t>((in[2 - c] * alpha + 255 * (255 - alpha) + 127) / 255);
    }
  }
  return bitmap;
}

// stb_image: PNG (16-bit and palette ones too), GIF (first frame), Targa, PSD (flattened),
// PNM.
Bitmap DecodeWithStb(std::string_view bytes) {
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int size = static_cast<int>(std::min<size_t>(bytes.size(), INT32_MAX));
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(data, size, &width, &height, &channels)) Fail(stbi_failure_reason());
  CheckSize(width, height);
  // Alpha is asked for only where there is some: stb turns 16-bit PNM into four channels
  // wrongly.
  const bool alpha = channels == 2 || channels == 4;
  std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load_from_memory(data, size, &width, &height, &channels, alpha ? 4 : 3),
      stbi_image_free);
  if (!pixels) Fail(stbi_failure_reason());
  if (alpha) return OnWhite(pixels.get(), width, height, static_cast<size_t>(width) * 4);
  Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    const stbi_uc* in = pixels.get() + static_cast<size_t>(y) * width * 3;
    std::uint8_t* out = bitmap.Row(y);
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  return bitmap;
}

// libtiff reads through these callbacks from memory.
struct TiffSource {
  std::string_view bytes;
  toff_t at = 0;
};

tsize_t TiffRead(thandle_t handle, tdata_t buffer, tsize_t size) {
  auto* source = static_cast<TiffSource*>(handle);
  const auto count = static_cast<tsize_t>(
      std::min<toff_t>(static_cast<toff_t>(size),
                       source->bytes.size() - std::min<toff_t>(source->at, source->bytes.size())));
  if (count > 0) std::memcpy(buffer, source->bytes.data() + source->at, static_cast<size_t>(count));
  source->at += static_cast<toff_t>(count);
  return count;
}
tsize_t TiffWrite(thandle_t, tdata_t, tsize_t) { return 0; }
toff_t TiffSeek(thandle_t handle, toff_t offset, int whence) {
  auto* source = static_cast<TiffSource*>(handle);
  const toff_t base = whence == SEEK_CUR   ? source->at
                      : whence == SEEK_END ? source->bytes.size()
                                           : 0;
  source->at = base + offset;
  return source->at;
}
int TiffClose(thandle_t) { return 0; }
toff_t TiffSize(thandle_t handle) { return static_cast<TiffSource*>(handle)->bytes.size(); }
int TiffMap(thandle_t, tdata_t*, toff_t*) { return 0; }
void TiffUnmap(thandle_t, tdata_t, toff_t) {}

Bitmap DecodeTiff(std::string_view bytes) {
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
  TiffSource source{bytes};
  std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(
      TIFFClientOpen("memory", "rm", &source, TiffRead, TiffWrite, TiffSeek, TiffClose, TiffSize,
                     TiffMap, TiffUnmap),
      TIFFClose);
  if (!tiff) Fail("Invalid TIFF file");
  uint32_t width = 0, height = 0;
  TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
  CheckSize(width, height);
  std::vector<uint32_t> rgba(static_cast<size_t>(width) * height);
  if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, rgba.data(), ORIENTATION_TOPLEFT, 0)) {
    Fail("Invalid TIFF file");
  }
  Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t* in = rgba.data() + static_cast<size_t>(y) * width;
    std::uint8_t* out = bitmap.Row(static_cast<int>(y));
    // libtiff hands colour premultiplied by alpha: on white, what alpha leaves out is white.
    for (uint32_t x = 0; x < width; ++x, out += 3) {
      const uint32_t white = 255 - TIFFGetA(in[x]);
      out[0] = static_cast<std::uint8_t>(std::min<uint32_t>(TIFFGetB(in[x]) + white, 255));
      out[1] = static_cast<std::uint8_t>(std::min<uint32_t>(TIFFGetG(in[x]) + white, 255));
      out[2] = static_cast<std::uint8_t>(std::min<uint32_t>(TIFFGetR(in[x]) + white, 255));
    }
  }
  return bitmap;
}

// Still and animated files alike (an animation gives its first frame), through the animation
// decoder, which composes frames on their canvas.
Bitmap DecodeWebp(std::string_view bytes) {
  const WebPData data{reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
  int width = 0, height = 0;
  if (!WebPGetInfo(data.bytes, data.size, &width, &height)) {
    std::unique_ptr<WebPDemuxer, void (*)(WebPDemuxer*)> demux(WebPDemux(&data), WebPDemuxDelete);
    if (!demux) Fail("Invalid WebP file");
    width = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH));
    height = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT));
  }
  CheckSize(width, height);
  WebPAnimDecoderOptions options;
  if (!WebPAnimDecoderOptionsInit(&options)) Fail("Invalid WebP file");
  options.color_mode = MODE_RGBA;
  options.use_threads = 0;
  std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> decoder(
      WebPAnimDecoderNew(&data, &options), WebPAnimDecoderDelete);
  WebPAnimInfo info;
  uint8_t* frame = nullptr;
  int timestamp = 0;
  if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info) ||
      !WebPAnimDecoderGetNext(decoder.get(), &frame, &timestamp)) {
    Fail("Invalid WebP file");
  }
  const int canvasWidth = static_cast<int>(info.canvas_width);
  const int canvasHeight = static_cast<int>(info.canvas_height);
  CheckSize(canvasWidth, canvasHeight);
  return OnWhite(frame, canvasWidth, canvasHeight, static_cast<size_t>(canvasWidth) * 4);
}

// HEIC and AVIF, as phones write them; libheif applies their rotation and mirroring.
Bitmap DecodeHeif(std::string_view bytes) {
  static const bool initialised = heif_init(nullptr).code == heif_error_Ok;
  if (!initialised) Fail("HEIF decoding is not available");
  std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(),
                                                                 heif_context_free);
  const auto check = [](heif_error error) {
    if (error.code != heif_error_Ok) Fail(error.message ? error.message : "Invalid HEIF file");
  };
  check(heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(),
                                                   nullptr));
  heif_image_handle* rawHandle = nullptr;
  check(heif_context_get_primary_image_handle(context.get(), &rawHandle));
  std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle*)> handle(
      rawHandle, heif_image_handle_release);
  CheckSize(heif_image_handle_get_width(handle.get()), heif_image_handle_get_height(handle.get()));
  heif_image* rawImage = nullptr;
  check(heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB,
                          heif_chroma_interleaved_RGBA, nullptr));
  std::unique_ptr<heif_image, void (*)(const heif_image*)> image(rawImage, heif_image_release);
  const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
  const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
  CheckSize(width, height);
  int stride = 0;
  const uint8_t* pixels =
      heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  if (!pixels) Fail("Invalid HEIF file");
  return OnWhite(pixels, width, height, static_cast<size_t>(stride));
}

// Source pictures are read upright, so tiles, frames, pointer positions and archives agree.
Bitmap DecodeJpegUpright(std::string_view bytes) {
  return Upright(DecodeJpeg(bytes), ExifOrientation(bytes));
}

bool LooksLikePng(std::string_view b) { return b.starts_with("\x89PNG"); }
bool LooksLikeGif(std::string_view b) { return b.starts_with("GIF87a") || b.starts_with("GIF89a"); }
bool LooksLikeTiff(std::string_view b) {
  return b.starts_with(std::string_view("II*\0", 4)) || b.starts_with(std::string_view("MM\0*", 4));
}
bool LooksLikePsd(std::string_view b) { return b.starts_with("8BPS"); }
bool LooksLikePnm(std::string_view b) {
  return b.size() > 2 && b[0] == 'P' && (b[1] == '5' || b[1] == '6');
}
bool LooksLikeWebp(std::string_view b) {
  return b.size() >= 12 && b.starts_with("RIFF") && b.substr(8, 4) == "WEBP";
}
bool LooksLikeHeif(std::string_view b) {
  return b.size() >= 12 && b.substr(4, 4) == "ftyp" &&
         heif_check_filetype(reinterpret_cast<const uint8_t*>(b.data()),
                             static_cast<int>(std::min<size_t>(b.size(), 64))) ==
             heif_filetype_yes_supported;
}
bool RecognisesNothing(std::string_view) { return false; }  // Targa has no signature

}  // namespace

const std::vector<PictureReader>& PictureReaders() {
  static const std::vector<PictureReader> readers = {
      {"JPEG", {"jpg", "jpeg", "jpe", "jfif"}, LooksLikeJpeg, DecodeJpegUpright},
      {"PNG", {"png"}, LooksLikePng, DecodeWithStb},
      {"GIF", {"gif"}, LooksLikeGif, DecodeWithStb},
      {"BMP", {"bmp", "dib"}, LooksLikeBmp, DecodeBmp},
      {"TIFF", {"tif", "tiff"}, LooksLikeTiff, DecodeTiff},
      {"PSD", {"psd"}, LooksLikePsd, DecodeWithStb},
      {"PNM", {"pnm", "ppm", "pgm"}, LooksLikePnm, DecodeWithStb},
      {"WebP", {"webp"}, LooksLikeWebp, DecodeWebp},
      {"HEIF", {"heic", "heif", "avif"}, LooksLikeHeif, DecodeHeif},
      {"Targa", {"tga"}, RecognisesNothing, DecodeWithStb},
  };
  return readers;
}

Bitmap LoadPictureBytes(std::string_view bytes, std::string_view extension) {
  const auto& readers = PictureReaders();
  for (const PictureReader& reader : readers) {
    if (reader.recognises(bytes)) return reader.decode(bytes);
  }
  const std::string wanted = Utf8Upper(extension);
  for (const PictureReader& reader : readers) {
    for (const char* known : reader.extensions) {
      if (AsciiUpper(known) == wanted) return reader.decode(bytes);
    }
  }
  Fail("Unknown picture format");
}

Bitmap LoadPictureFile(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  return LoadPictureBytes(ReadWholeFile(path), extension);
}

Bitmap LoadPictureFileForBox(const std::string& path, Size box) {
  const std::string bytes = ReadWholeFile(path);
  if (!LooksLikeJpeg(bytes)) {
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    return LoadPictureBytes(bytes, extension);
  }
  // Turned a quarter, the picture fills the box the other way round.
  const int orientation = ExifOrientation(bytes);
  if (orientation >= 5 && orientation <= 8) std::swap(box.width, box.height);
  return Upright(DecodeJpegForBox(bytes, box), orientation);
}

std::string PictureFilePattern() {
  std::string pattern = "Pictures\t*.{";
  bool first = true;
  for (const PictureReader& reader : PictureReaders()) {
    for (const char* extension : reader.extensions) {
      if (!first) pattern += ',';
      pattern += extension;
      first = false;
    }
  }
  return pattern + "}";
}

}  // namespace vx
