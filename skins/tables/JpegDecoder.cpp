// JPEG pictures through libjpeg's IJG interface. libjpeg reports errors by calling a function
// that must not return, so the two decoding steps that can fail are small C-style functions
// with setjmp and nothing on their stack that needs destroying.
#include "Format.h"
#include "SkinPictures.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

struct JpegReader {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
    auto* reader = reinterpret_cast<JpegReader*>(cinfo->client_data);
    (*cinfo->err->format_message)(cinfo, reader->message);
    std::longjmp(reader->jump, 1);
}

void OnMessage(j_common_ptr, int) {} // warnings of damaged but readable data are not errors

void OnProgress(j_common_ptr cinfo) {
    auto* reader = reinterpret_cast<JpegReader*>(cinfo->client_data);
    if (reader->cinfo.input_scan_number > MaxJpegScans) {
        std::snprintf(reader->message, sizeof reader->message, "it has more than %d scans", MaxJpegScans);
        std::longjmp(reader->jump, 1);
    }
}

bool ReadHeader(JpegReader& r, const std::uint8_t* data, std::size_t size) {
    if (setjmp(r.jump))
        return false;
    r.cinfo.client_data = &r; // kept by jpeg_create_decompress
    jpeg_create_decompress(&r.cinfo);
    r.cinfo.progress = &r.progress;
    jpeg_mem_src(&r.cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&r.cinfo, TRUE);
    r.cinfo.out_color_space = JCS_EXT_BGRX; // the byte order of QImage::Format_RGB32, X = 0xFF
    return true;
}

bool ReadPixels(JpegReader& r, std::uint8_t* pixels, std::size_t stride) {
    if (setjmp(r.jump))
        return false;
    jpeg_start_decompress(&r.cinfo);
    if (r.cinfo.output_components != 4) {
        std::snprintf(r.message, sizeof r.message, "unexpected pixel layout");
        return false;
    }
    while (r.cinfo.output_scanline < r.cinfo.output_height) {
        JSAMPROW row = pixels + r.cinfo.output_scanline * stride;
        jpeg_read_scanlines(&r.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&r.cinfo);
    return true;
}

struct ReaderGuard {
    JpegReader& reader;
    ~ReaderGuard() { jpeg_destroy_decompress(&reader.cinfo); }
};

} // namespace

QImage DecodeJpeg(std::span<const std::uint8_t> data, std::int64_t pixelsLeft) {
    JpegReader reader{};
    reader.cinfo.err = jpeg_std_error(&reader.errors);
    reader.errors.error_exit = OnError;
    reader.errors.emit_message = OnMessage;
    reader.progress.progress_monitor = OnProgress;
    ReaderGuard guard{reader};
    if (data.empty() || !ReadHeader(reader, data.data(), data.size()))
        throw EInvalidGraphic(FormatMessage("JPEG picture is not valid: %s", {std::string(reader.message)}));
    CheckPictureSize(reader.cinfo.image_width, reader.cinfo.image_height, "JPEG", pixelsLeft);
    if (reader.cinfo.image_width == 0 || reader.cinfo.image_height == 0)
        return {};
    QImage image(static_cast<int>(reader.cinfo.image_width), static_cast<int>(reader.cinfo.image_height),
                 QImage::Format_RGB32);
    if (image.isNull())
        throw EInvalidGraphic("Out of memory while decoding a JPEG picture");
    if (!ReadPixels(reader, image.bits(), static_cast<std::size_t>(image.bytesPerLine())))
        throw EInvalidGraphic(FormatMessage("JPEG picture is not valid: %s", {std::string(reader.message)}));
    return image;
}
