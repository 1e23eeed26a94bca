#include "HostileSkins.h"

#include "PackageWriter.h"
#include "PictureWriters.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <zlib.h>

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> Package(const std::string& options, std::vector<PackageEntry> pictures = {}) {
    pictures.insert(pictures.begin(), PackageEntry{"Options.dat", Bytes(options)});
    return WritePackage(pictures);
}

// Per component: DC in two passes of successive approximation, then the first AC coefficients
// one by one, each in two passes.
std::vector<jpeg_scan_info> ManyScans(int coefficients) {
    std::vector<jpeg_scan_info> scans;
    for (int c = 0; c < 3; ++c) {
        scans.push_back({1, {c}, 0, 0, 0, 1});
        scans.push_back({1, {c}, 0, 0, 1, 0});
        for (int pass = 0; pass < 2; ++pass)
            for (int k = 1; k <= coefficients; ++k)
                scans.push_back({1, {c}, k, k, pass, 1 - pass});
    }
    return scans;
}

// A flat grey 4096 x 4096 JPEG, baseline when `coefficients` is 0: a few hundred kilobytes that
// zlib packs to a few.
std::vector<std::uint8_t> FlatJpeg(int coefficients) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = cinfo.image_height = 4096;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    const std::vector<jpeg_scan_info> scans = ManyScans(coefficients);
    if (coefficients > 0) {
        cinfo.scan_info = scans.data();
        cinfo.num_scans = static_cast<int>(scans.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(4096 * 3, 128);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&cinfo, &line, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

std::vector<std::uint8_t> JpegPatterns(int count, int coefficients) {
    const std::vector<std::uint8_t> jpeg = FlatJpeg(coefficients);
    std::string options = "[FORM]\r\n";
    std::vector<PackageEntry> pictures;
    for (int i = 0; i < count; ++i) {
        const std::string name = std::string("P").append(std::to_string(i)).append(".JPG");
        options.append("PATTERN").append(std::to_string(i)).append("=").append(name).append("\r\n");
        pictures.push_back({name, jpeg});
    }
    return Package(options, pictures);
}

} // namespace

std::string ChainSectionName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "S%05d", index);
    return name;
}

std::vector<std::uint8_t> ParentChainSkin(int sections) {
    std::string options;
    for (int i = 0; i + 1 < sections; ++i)
        options.append("[")
            .append(ChainSectionName(i))
            .append("]\r\nPARENTCLASS=")
            .append(ChainSectionName(i + 1))
            .append("\r\n");
    options.append("[")
        .append(ChainSectionName(sections - 1))
        .append("]\r\nCOLOR=255\r\nGRADIENTDATA=1;2;3;4;5\r\nBORDERSMASK=@0000@0000@0000@0000@1@0\r\n");
    return Package(options);
}

std::vector<std::uint8_t> CollidingKeysSkin(int keys) {
    std::string options = "[FORM]\r\n";
    const int bits = std::max(16, static_cast<int>(std::bit_width(static_cast<unsigned>(keys - 1))));
    for (int i = 0; i < keys; ++i) {
        for (int bit = bits - 1; bit >= 0; --bit)
            options += (i >> bit) & 1 ? '`' : '@';
        options += "=1\r\n";
    }
    return Package(options);
}

std::vector<std::uint8_t> InheritedGradientSkin(int children, int bytes) {
    std::string options = "[BASE]\r\nGRADIENTDATA=";
    while (static_cast<int>(options.size()) < bytes)
        options += "16711680;255;20;0;0;";
    options += "\r\n";
    for (int i = 0; i < children; ++i)
        options += "[CHILD" + std::to_string(i) + "]\r\nPARENTCLASS=BASE\r\n";
    return Package(options);
}

std::vector<std::uint8_t> ProgressiveJpegSkin(int pictures, int coefficients) {
    return JpegPatterns(pictures, coefficients);
}

std::vector<std::uint8_t> LargeJpegSkin(int count) {
    return JpegPatterns(count, 0);
}

std::vector<std::uint8_t> HugeEntriesSkin() {
    // Written entry by entry around one compressed stream, so the test never holds 512 MiB.
    std::vector<std::uint8_t> package = Package("[FORM]\r\nBORDERSMASK=BIG0.BMP\r\n");
    const std::uint32_t size = 64u << 20;
    const std::vector<std::uint8_t> stream = CompressZlib(std::vector<std::uint8_t>(size, 0));
    const auto append32 = [&package](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            package.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    for (int i = 0; i < 8; ++i) {
        const std::string name = "BIG" + std::to_string(i) + ".BMP";
        append32(static_cast<std::uint32_t>(name.size()));
        package.insert(package.end(), name.begin(), name.end());
        append32(size);
        package.insert(package.end(), stream.begin(), stream.end());
    }
    package[4] = 9; // the entry count: Options.dat and the eight
    return package;
}

namespace {

void AppendBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendPngChunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
    AppendBigEndian32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    AppendBigEndian32(png, static_cast<std::uint32_t>(
                               crc32(0, png.data() + typeAt, static_cast<uInt>(png.size() - typeAt))));
}

} // namespace

std::vector<std::uint8_t> PngTextChunksSkin(int chunks) {
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    AppendBigEndian32(header, 1);
    AppendBigEndian32(header, 1);
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA
    AppendPngChunk(png, "IHDR", header);
    std::vector<std::uint8_t> text = Bytes(std::string("Comment\0\0", 9)); // keyword, method 0
    const std::vector<std::uint8_t> packed = CompressZlib(std::vector<std::uint8_t>(7'000'000, 'a'));
    text.insert(text.end(), packed.begin(), packed.end());
    for (int i = 0; i < chunks; ++i)
        AppendPngChunk(png, "zTXt", text);
    AppendPngChunk(png, "IDAT", CompressZlib({0, 10, 20, 30, 255}));
    AppendPngChunk(png, "IEND", {});
    return Package("[FORM]\r\nGLOW=!GLOW.PNG!1!0!4\r\n", {{"GLOW.PNG", png}});
}

std::vector<std::uint8_t> TinyEntriesSkin(int entries) {
    std::vector<std::uint8_t> package = Package("[FORM]\r\n");
    const std::vector<std::uint8_t> empty = CompressZlib({});
    package.reserve(package.size() + static_cast<std::size_t>(entries) * (11 + empty.size()));
    const auto append32 = [&package](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            package.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    for (int i = 0; i < entries; ++i) {
        append32(3);
        package.insert(package.end(), {static_cast<std::uint8_t>('A' + i % 26), static_cast<std::uint8_t>(i / 26 % 256),
                                       static_cast<std::uint8_t>(i / 26 / 256 % 256)});
        append32(0);
        package.insert(package.end(), empty.begin(), empty.end());
    }
    const std::uint32_t count = static_cast<std::uint32_t>(entries) + 1;
    for (int i = 0; i < 4; ++i)
        package[4 + i] = static_cast<std::uint8_t>(count >> (8 * i));
    return package;
}

std::vector<std::uint8_t> WholeMasterMasksSkin(int masks) {
    QImage master(2048, 2048, QImage::Format_RGB32);
    master.fill(qRgb(10, 20, 30));
    std::string options = "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n[FORM]\r\n";
    // Each starts one pixel further right: masks cutting the very same rectangle share a picture.
    for (int i = 0; i < masks; ++i) {
        char value[32];
        std::snprintf(value, sizeof value, "~%04d~0000~2048~2048~00", i);
        options.append("MASK").append(std::to_string(i)).append("=").append(value).append("\r\n");
    }
    return Package(options, {{"MASTER.BMP", EncodeBitmap(master, 24)}});
}
