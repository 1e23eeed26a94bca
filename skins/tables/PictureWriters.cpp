#include "PictureWriters.h"

#include "Exceptions.h"

#include <cstdlib>
#include <jpeglib.h>
#include <map>
#include <png.h>

namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

std::map<QRgb, int> BuildPalette(const QImage& image) {
    std::map<QRgb, int> palette;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            palette.emplace(image.pixel(x, y) | 0xFF000000u, 0);
    if (palette.size() > 256)
        throw Exception("A picture with more than 256 colours cannot be an 8-bit bitmap");
    int index = 0;
    for (auto& entry : palette)
        entry.second = index++;
    return palette;
}

void PngWriteData(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void PngFlush(png_structp) {}

} // namespace

std::vector<std::uint8_t> EncodeBitmap(const QImage& source, int bitsPerPixel) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const std::map<QRgb, int> palette = bitsPerPixel == 8 ? BuildPalette(image) : std::map<QRgb, int>{};
    const std::size_t paletteBytes = bitsPerPixel == 8 ? 256 * 4 : 0;
    const std::size_t stride = (static_cast<std::size_t>(image.width()) * bitsPerPixel + 31) / 32 * 4;
    const std::size_t pixelOffset = 14 + 40 + paletteBytes;
    std::vector<std::uint8_t> out(pixelOffset + stride * image.height(), 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(pixelOffset));
    Put32(out, 14, 40);
    Put32(out, 18, image.width());
    Put32(out, 22, image.height());
    Put16(out, 26, 1);
    Put16(out, 28, bitsPerPixel);
    Put32(out, 34, static_cast<std::uint32_t>(stride * image.height()));
    for (const auto& [color, index] : palette) {
        const std::size_t at = 54 + static_cast<std::size_t>(index) * 4;
        out[at] = static_cast<std::uint8_t>(qBlue(color));
        out[at + 1] = static_cast<std::uint8_t>(qGreen(color));
        out[at + 2] = static_cast<std::uint8_t>(qRed(color));
    }
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* row = out.data() + pixelOffset + (image.height() - 1 - y) * stride;
        const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (bitsPerPixel == 8) {
                row[x] = static_cast<std::uint8_t>(palette.at(in[x] | 0xFF000000u));
            } else {
                row[x * 3] = static_cast<std::uint8_t>(qBlue(in[x]));
                row[x * 3 + 1] = static_cast<std::uint8_t>(qGreen(in[x]));
                row[x * 3 + 2] = static_cast<std::uint8_t>(qRed(in[x]));
            }
        }
    }
    return out;
}

std::vector<std::uint8_t> EncodePng(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    // Writing into memory with valid arguments cannot fail, so libpng's default handler (which
    // aborts through longjmp to no one) is never reached.
    png_set_write_fn(png, &out, PngWriteData, PngFlush);
    png_set_IHDR(png, info, image.width(), image.height(), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y)
        png_write_row(png, image.constScanLine(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<std::uint8_t> EncodeJpeg(const QImage& source, const JpegOptions& options) {
    const QImage image =
        source.convertToFormat(options.GreyScale ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = options.GreyScale ? 1 : 3;
    cinfo.in_color_space = options.GreyScale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.Quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}
