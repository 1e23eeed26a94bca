// PNG pictures through libpng, expanded to 8-bit BGRA (QImage::Format_ARGB32 in memory). As with
// libjpeg, errors arrive by longjmp, so the failing steps are small functions without C++ locals.
#include "Format.h"
#include "SkinPictures.h"

#include <cstdio>
#include <cstring>
#include <png.h>
#include <vector>

namespace {

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
    char message[200] = "";
};

void OnError(png_structp png, png_const_charp text) {
    auto* reader = static_cast<PngReader*>(png_get_error_ptr(png));
    std::snprintf(reader->message, sizeof reader->message, "%s", text);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep target, png_size_t count) {
    auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
    if (count > reader->size - reader->pos)
        png_error(png, "PNG data is cut short");
    std::memcpy(target, reader->data + reader->pos, count);
    reader->pos += count;
}

bool ReadHeader(PngReader& r) {
    if (setjmp(png_jmpbuf(r.png)))
        return false;
    png_set_read_fn(r.png, &r, OnRead);
    png_read_info(r.png, r.info);
    png_set_expand(r.png);
    png_set_strip_16(r.png);
    png_set_gray_to_rgb(r.png);
    png_set_bgr(r.png);
    png_set_filler(r.png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    return true;
}

bool ReadRows(PngReader& r, png_bytepp rows) {
    if (setjmp(png_jmpbuf(r.png)))
        return false;
    if (png_get_rowbytes(r.png, r.info) != png_get_image_width(r.png, r.info) * 4)
        png_error(r.png, "unexpected PNG pixel layout");
    png_read_image(r.png, rows);
    png_read_end(r.png, nullptr);
    return true;
}

struct ReaderGuard {
    PngReader& reader;
    ~ReaderGuard() { png_destroy_read_struct(&reader.png, &reader.info, nullptr); }
};

} // namespace

QImage DecodePng(std::span<const std::uint8_t> data, std::int64_t pixelsLeft) {
    PngReader reader;
    reader.data = data.data();
    reader.size = data.size();
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, OnError, OnWarning);
    if (reader.png == nullptr)
        throw EInvalidGraphic("Out of memory while decoding a PNG picture");
    reader.info = png_create_info_struct(reader.png);
    ReaderGuard guard{reader};
    if (reader.info == nullptr)
        throw EInvalidGraphic("Out of memory while decoding a PNG picture");
    png_set_user_limits(reader.png, MaxPictureSide, MaxPictureSide);
    // Texts, colour profiles and suggested palettes are of no use to a skin, and libpng would
    // inflate and keep each of them (by default up to 8 MB a chunk and 1,000 chunks), outside
    // every budget: they are skipped unread, and any other ancillary chunk is held to 1 MiB.
    static const png_byte skipped[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf\0";
    png_set_keep_unknown_chunks(reader.png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(reader.png, PNG_HANDLE_CHUNK_NEVER, skipped, 6);
    png_set_chunk_malloc_max(reader.png, 1u << 20);
    png_set_chunk_cache_max(reader.png, 64);
    if (!ReadHeader(reader))
        throw EInvalidGraphic(FormatMessage("PNG picture is not valid: %s", {std::string(reader.message)}));
    const std::int64_t width = png_get_image_width(reader.png, reader.info);
    const std::int64_t height = png_get_image_height(reader.png, reader.info);
    CheckPictureSize(width, height, "PNG", pixelsLeft);
    if (width == 0 || height == 0)
        return {};
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32);
    if (image.isNull())
        throw EInvalidGraphic("Out of memory while decoding a PNG picture");
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < image.height(); ++y)
        rows[static_cast<std::size_t>(y)] = image.scanLine(y);
    if (!ReadRows(reader, rows.data()))
        throw EInvalidGraphic(FormatMessage("PNG picture is not valid: %s", {std::string(reader.message)}));
    return image;
}
