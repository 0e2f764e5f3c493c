// Source pictures as people have them: PNG with alpha, 16 bits or a palette, TIFF with more
// than one page, animated GIF and WebP, HEIC and AVIF from phones. Each made here by the
// format's own writer and read as a person expects: transparency on white, the first page or
// frame.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <libheif/heif.h>
#include <tiffio.h>
#include <webp/encode.h>
#include <webp/mux.h>
#include <zlib.h>

#include <cstring>
#include <functional>
#include <memory>

#include "formats/picture_file.h"
#include "platform/files.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

constexpr Color kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

// --- PNG, chunk by chunk, so every bit depth and colour type can be written --------------

std::string Big32(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

std::string Chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto crc =
      crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
  return Big32(static_cast<std::uint32_t>(data.size())) + body +
         Big32(static_cast<std::uint32_t>(crc));
}

// rows: the bytes of each row without the filter byte.
std::string Png(int width, int height, int depth, int colourType, const std::string& rows,
                const std::string& palette = "", const std::string& transparency = "") {
  std::string header =
      Big32(static_cast<std::uint32_t>(width)) + Big32(static_cast<std::uint32_t>(height));
  header += {static_cast<char>(depth), static_cast<char>(colourType), 0, 0, 0};
  const size_t rowBytes = rows.size() / static_cast<size_t>(height);
  std::string filtered;
  for (int y = 0; y < height; ++y) filtered += '\0' + rows.substr(y * rowBytes, rowBytes);
  uLongf packedSize = compressBound(static_cast<uLong>(filtered.size()));
  std::string packed(packedSize, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
           reinterpret_cast<const Bytef*>(filtered.data()), static_cast<uLong>(filtered.size()));
  packed.resize(packedSize);
  std::string file = "\x89PNG\r\n\x1A\n" + Chunk("IHDR", header);
  if (!palette.empty()) file += Chunk("PLTE", palette);
  if (!transparency.empty()) file += Chunk("tRNS", transparency);
  return file + Chunk("IDAT", packed) + Chunk("IEND", "");
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

// --- TIFF of two pages ---------------------------------------------------------------------

std::string TwoPageTiff(const test::TempFolder& dir) {
  const std::string path = dir / "pages.tif";
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  // Page 1: 2 x 1, red and fully transparent (unassociated alpha); page 2: 3 x 3 blue.
  const struct {
    int width, height, samples;
    std::string pixels;
  } pages[] = {{2, 1, 4, Bytes({255, 0, 0, 255, 0, 255, 0, 0})}, {3, 3, 3, std::string(27, '\0')}};
  for (const auto& page : pages) {
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, page.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, page.height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, page.samples);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    if (page.samples == 4) {
      const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
      TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    std::string pixels = page.pixels;
    for (int y = 0; y < page.height; ++y)
      TIFFWriteScanline(tiff, pixels.data() + y * page.width * page.samples, y, 0);
    TIFFWriteDirectory(tiff);
  }
  TIFFClose(tiff);
  return ReadWholeFile(path);
}

// --- GIF of two frames: red with a transparent pixel, then blue -----------------------------

int AppendToString(GifFileType* gif, const GifByteType* data, int size) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), size);
  return size;
}

std::string AnimatedGif() {
  std::string file;
  int error = 0;
  GifFileType* gif = EGifOpen(&file, AppendToString, &error);
  const GifColorType colours[4] = {{255, 0, 0}, {0, 0, 255}, {0, 0, 0}, {0, 0, 0}};
  ColorMapObject* map = GifMakeMapObject(4, colours);
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, 2, 1, 2, 0, map);
  for (int frame = 0; frame < 2; ++frame) {
    // Graphics control: colour 2 is transparent.
    const GifByteType control[4] = {1, 10, 0, 2};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    EGifPutImageDesc(gif, 0, 0, 2, 1, false, nullptr);
    GifPixelType line[2] = {static_cast<GifPixelType>(frame), 2};
    EGifPutLine(gif, line, 2);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return file;
}

// --- WebP: lossless, red with a transparent pixel, animated when a second frame is given ----

std::string WebpFrames(bool animated) {
  WebPAnimEncoderOptions options;
  WebPAnimEncoderOptionsInit(&options);
  std::unique_ptr<WebPAnimEncoder, void (*)(WebPAnimEncoder*)> encoder(
      WebPAnimEncoderNew(2, 1, &options), WebPAnimEncoderDelete);
  WebPConfig config;
  WebPConfigInit(&config);
  config.lossless = 1;
  const std::string frames[2] = {Bytes({255, 0, 0, 255, 0, 255, 0, 0}),
                                 Bytes({0, 0, 255, 255, 0, 0, 255, 255})};
  for (int i = 0; i < (animated ? 2 : 1); ++i) {
    WebPPicture picture;
    WebPPictureInit(&picture);
    picture.use_argb = 1;
    picture.width = 2;
    picture.height = 1;
    WebPPictureImportRGBA(&picture, reinterpret_cast<const uint8_t*>(frames[i].data()), 8);
    WebPAnimEncoderAdd(encoder.get(), &picture, i * 100, &config);
    WebPPictureFree(&picture);
  }
  WebPAnimEncoderAdd(encoder.get(), nullptr, 200, nullptr);
  WebPData data;
  WebPDataInit(&data);
  WebPAnimEncoderAssemble(encoder.get(), &data);
  std::string file(reinterpret_cast<const char*>(data.bytes), data.size);
  WebPDataClear(&data);
  return file;
}

// --- HEIC and AVIF through libheif's encoders: 64 x 48, red left, green right ---------------

heif_error Append(heif_context*, const void* data, size_t size, void* file) {
  static_cast<std::string*>(file)->append(static_cast<const char*>(data), size);
  return {heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

std::string Heif(heif_compression_format format) {
  std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(),
                                                                 heif_context_free);
  heif_encoder* encoder = nullptr;
  if (heif_context_get_encoder_for_format(context.get(), format, &encoder).code != heif_error_Ok)
    return "";
  heif_encoder_set_lossy_quality(encoder, 90);
  heif_image* image = nullptr;
  heif_image_create(64, 48, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
  heif_image_add_plane(image, heif_channel_interleaved, 64, 48, 8);
  int stride = 0;
  uint8_t* pixels = heif_image_get_plane(image, heif_channel_interleaved, &stride);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      uint8_t* p = pixels + y * stride + x * 3;
      p[0] = x < 32 ? 255 : 0;
      p[1] = x < 32 ? 0 : 255;
      p[2] = 0;
    }
  }
  heif_context_encode_image(context.get(), image, encoder, nullptr, nullptr);
  heif_encoder_release(encoder);
  heif_image_release(image);
  std::string file;
  heif_writer writer{1, Append};
  heif_context_write(context.get(), &writer, &file);
  return file;
}

void ExpectNear(Color got, Color want, int tolerance, const std::string& what) {
  for (int shift : {0, 8, 16}) {
    EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF),
                tolerance)
        << what;
  }
}

TEST(SourceFormats, ReadAsAPersonExpects) {
  const test::TempFolder dir;
  struct Case {
    const char* what;
    const char* extension;
    std::function<std::string()> make;
    Size size;
    std::vector<std::pair<Point, Color>> pixels;
  } cases[] = {
      {"PNG with alpha on white",
       "png",
       [] {
         return Png(3, 1, 8, 6, Bytes({255, 0, 0, 255, 255, 0, 0, 0, 255, 0, 0, 128}));
       },
       {3, 1},
       {{{0, 0}, kRed}, {{1, 0}, kWhite}, {{2, 0}, 0x7F7FFF}}},
      {"PNG of 16 bits",
       "png",
       [] {
         return Png(1, 1, 16, 2, Bytes({0x80, 0x00, 0xFF, 0xFF, 0x00, 0x00}));
       },
       {1, 1},
       {{{0, 0}, 0x00FF80}}},
      {"PNG of 16 bits with alpha",
       "png",
       [] {
         return Png(2, 1, 16, 6,
                    Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0}));
       },
       {2, 1},
       {{{0, 0}, kBlue}, {{1, 0}, kWhite}}},
      {"PNG with a palette and a transparent entry",
       "png",
       [] {
         return Png(2, 1, 8, 3, Bytes({0, 1}), Bytes({0, 255, 0, 9, 9, 9}), Bytes({255, 0}));
       },
       {2, 1},
       {{{0, 0}, kGreen}, {{1, 0}, kWhite}}},
      {"grey PNG with alpha",
       "png",
       [] {
         return Png(2, 1, 8, 4, Bytes({100, 255, 0, 0}));
       },
       {2, 1},
       {{{0, 0}, 0x646464}, {{1, 0}, kWhite}}},
      {"TIFF: the first of two pages, alpha on white",
       "tif",
       [&] { return TwoPageTiff(dir); },
       {2, 1},
       {{{0, 0}, kRed}, {{1, 0}, kWhite}}},
      {"animated GIF: the first frame",
       "gif",
       AnimatedGif,
       {2, 1},
       {{{0, 0}, kRed}, {{1, 0}, kWhite}}},
      {"WebP with alpha",
       "webp",
       [] { return WebpFrames(false); },
       {2, 1},
       {{{0, 0}, kRed}, {{1, 0}, kWhite}}},
      {"animated WebP: the first frame",
       "webp",
       [] { return WebpFrames(true); },
       {2, 1},
       {{{0, 0}, kRed}, {{1, 0}, kWhite}}},
      {"HEIC",
       "heic",
       [] { return Heif(heif_compression_HEVC); },
       {64, 48},
       {{{8, 24}, kRed}, {{56, 24}, kGreen}}},
      {"AVIF",
       "avif",
       [] { return Heif(heif_compression_AV1); },
       {64, 48},
       {{{8, 24}, kRed}, {{56, 24}, kGreen}}},
  };
  for (const Case& c : cases) {
    const std::string bytes = c.make();
    ASSERT_FALSE(bytes.empty()) << c.what;
    // Recognised by content: the file's name says nothing.
    const std::string path = dir.Write(std::string("picture-") + c.extension + ".bin", bytes);
    Bitmap picture;
    try {
      picture = LoadPictureFile(path);
    } catch (const std::exception& e) {
      ADD_FAILURE() << c.what << ": " << e.what();
      continue;
    }
    ASSERT_EQ(picture.Width(), c.size.width) << c.what;
    ASSERT_EQ(picture.Height(), c.size.height) << c.what;
    const int tolerance = c.size.width > 8 ? 24 : 1;  // HEIC and AVIF are lossy
    for (const auto& [point, colour] : c.pixels)
      ExpectNear(picture.Pixel(point.x, point.y), colour, tolerance, c.what);
  }
}

}  // namespace
}  // namespace vx
