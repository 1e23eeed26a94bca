// Loading a skin from its package into the tables, against the bare cost of inflating the same
// entries and decoding the same pictures once each: for a generated package with every kind of
// entry (Options.dat of about 13 KB in 63 sections, an 8-bit 288 x 192 button bitmap, a 24-bit
// 210 x 300 master bitmap, three 36 x 34 PNG glows and a 256 x 256 grey JPEG), and for each of
// the five built-in skins as the program carries them.
#include "BuiltInSkinPackages.h"
#include "PackageWriter.h"
#include "PictureWriters.h"
#include "SkinLoader.h"
#include "SkinPackage.h"
#include "SkinPictures.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

// Smooth blocks with one pixel in eight disturbed, so the pictures pack about as well as drawn
// artwork does; at most 128 colours, so the picture also fits an 8-bit palette.
QImage Picture(int width, int height, bool alpha) {
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    std::uint32_t random = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            random = random * 1103515245u + 12345u;
            const bool noisy = (random >> 16) % 8 == 0;
            const int red = noisy ? static_cast<int>(random >> 24) / 16 * 16 : x / 18 * 16 % 256;
            image.setPixel(x, y, qRgba(red, y / 24 * 32 % 256, 90, alpha ? (x * 7) % 256 : 255));
        }
    return image;
}

std::string BorderRef(int i) {
    const int left = (i * 3) % 150, top = (i * 5) % 250;
    char text[64];
    std::snprintf(text, sizeof text, "^%04d^%04d^%04d^%04d^0000^0000^0000^0000^3^1^5^0", left, top, left + 45,
                  top + 30);
    return text;
}

std::string GlyphRef(int i) {
    const int left = (i * 7) % 180, top = (i * 11) % 280;
    char text[64];
    std::snprintf(text, sizeof text, "@%04d@%04d@%04d@%04d@3@1", left, top, left + 12, top + 12);
    return text;
}

std::string Options() {
    std::string text =
        "[GLOBALINFO]\r\nVERSION=6.5\r\nAUTHOR=Morvane\r\nDESCRIPTION=Generated benchmark skin\r\n"
        "MASTERBITMAP=MASTER.BMP\r\nBORDERWIDTH=4\r\nTITLEHEIGHT=26\r\nSHADOW1BLUR=-1\r\n"
        "BICONCLOSEGLOW0=!GLOWRED.PNG!1!0!4\r\nBICONMAXGLOW0=!GLOWBLUE.PNG!1!0!4\r\n"
        "BICONMINGLOW0=!GLOWYELLOW.PNG!1!0!4\r\n";
    for (const char* box : {"BOXCHECKED", "BOXUNCHECKED", "RADIOCHECKED", "RADIOUNCHECKED", "SMALLCHECKED"})
        text += std::string(box) + "=" + GlyphRef(static_cast<int>(text.size())) + "\r\n";
    for (int i = 1; i < 63; ++i) {
        text += "[SECTION" + std::to_string(i) + "]\r\n";
        if (i % 4 != 0)
            text += "PARENTCLASS=SECTION" + std::to_string(i - i % 4) + "\r\n";
        text += "COLOR=" + std::to_string(i % 5 == 0 ? -16777201 : 0x102030 * i) + "\r\nFONTCOLOR=0\r\n";
        if (i % 4 == 0)
            text += "GRADIENTDATA=15128513;15525597;99;0;0;15525597;15525597;0;0;0\r\nGRADIENTPERCENT=100\r\n"
                    "FADINGENABLED=TRUE\r\n";
        text += "BORDERSMASK=" + BorderRef(i) + "\r\nGLYPHMASK=" + GlyphRef(i) + "\r\n";
        if (i % 3 == 0)
            text += "LRGN=~0018~0054~0021~0060~10~1\r\n";
    }
    text += "[BUTTON_HUGE]\r\nBORDERSMASK=!BUTTONHUGE.BMP!3!1!0\r\n[FORM]\r\nPATTERN=BKGND.JPG\r\nHOTPATTERN="
            "BKGND.JPG\r\n";
    return text;
}

struct BenchPackage {
    std::vector<PackageEntry> Entries;
    std::vector<std::uint8_t> Package;
    std::vector<std::vector<std::uint8_t>> Streams; // each entry's zlib stream
};

const BenchPackage& Package() {
    static const BenchPackage package = [] {
        BenchPackage p;
        const std::string options = Options();
        p.Entries = {{"Options.dat", {options.begin(), options.end()}},
                     {"ButtonHuge.bmp", EncodeBitmap(Picture(288, 192, false), 8)},
                     {"Master.bmp", EncodeBitmap(Picture(210, 300, false), 24)},
                     {"GlowBlue.png", EncodePng(Picture(36, 34, true))},
                     {"GlowRed.png", EncodePng(Picture(36, 34, true))},
                     {"GlowYellow.png", EncodePng(Picture(36, 34, true))},
                     {"Bkgnd.jpg", EncodeJpeg(Picture(256, 256, false), JpegOptions{85, true})}};
        p.Package = WritePackage(p.Entries);
        for (const PackageEntry& entry : p.Entries)
            p.Streams.push_back(CompressZlib(entry.Data));
        return p;
    }();
    return package;
}

void LoadSkinPackageIntoTables(benchmark::State& state) {
    const BenchPackage& p = Package();
    for (auto _ : state) {
        SkinTablesPtr tables = LoadSkinPackage(p.Package, nullptr);
        benchmark::DoNotOptimize(tables);
    }
    state.counters["package_bytes"] = static_cast<double>(p.Package.size());
    state.counters["options_bytes"] = static_cast<double>(p.Entries[0].Data.size());
}

// Inflate every entry with zlib in one call, then decode each picture once. Like the load, it
// keeps what it produced until the end of the run, so both pay for the same live memory.
void BareInflateAndDecode(benchmark::State& state) {
    const BenchPackage& p = Package();
    for (auto _ : state) {
        std::vector<std::vector<std::uint8_t>> unpacked;
        for (std::size_t i = 0; i < p.Entries.size(); ++i) {
            std::vector<std::uint8_t> out(p.Entries[i].Data.size());
            uLongf size = static_cast<uLongf>(out.size());
            uncompress(out.data(), &size, p.Streams[i].data(), static_cast<uLong>(p.Streams[i].size()));
            unpacked.push_back(std::move(out));
        }
        std::vector<QImage> pictures{DecodeBitmap(unpacked[1]), DecodeBitmap(unpacked[2])};
        for (std::size_t i = 3; i < 6; ++i)
            pictures.push_back(DecodePng(unpacked[i]));
        pictures.push_back(DecodeJpeg(unpacked[6]));
        benchmark::DoNotOptimize(pictures);
    }
}

// A built-in skin's package with each entry's own zlib stream (the package writer makes each
// entry with CompressZlib, so these are the same bytes).
struct RealPackage {
    std::string Name;
    std::vector<std::uint8_t> Package;
    std::vector<PackageEntry> Entries;
    std::vector<std::vector<std::uint8_t>> Streams;
};

const RealPackage& BuiltIn(std::size_t index) {
    static const std::vector<RealPackage> packages = [] {
        std::vector<RealPackage> all;
        for (const BuiltInSkinPackage& skin : BuiltInSkinPackages()) {
            RealPackage p;
            p.Name = skin.Name;
            const QByteArray data = BuiltInSkinPackageData(skin);
            p.Package.assign(data.begin(), data.end());
            TacSkinConvertor unpacked;
            unpacked.ReadPackage(p.Package);
            p.Entries.push_back({"Options.dat", {unpacked.Options.begin(), unpacked.Options.end()}});
            for (const TacImageItem& item : unpacked.Images)
                p.Entries.push_back({item.Name, item.Data});
            for (const PackageEntry& entry : p.Entries)
                p.Streams.push_back(CompressZlib(entry.Data));
            all.push_back(std::move(p));
        }
        return all;
    }();
    return packages.at(index);
}

void LoadBuiltInSkinIntoTables(benchmark::State& state) {
    const RealPackage& p = BuiltIn(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        SkinTablesPtr tables = LoadSkinPackage(p.Package, nullptr);
        benchmark::DoNotOptimize(tables);
    }
    state.SetLabel(p.Name);
    state.counters["package_bytes"] = static_cast<double>(p.Package.size());
}

QImage DecodeEntry(const PackageEntry& entry, const std::vector<std::uint8_t>& data) {
    const std::string& n = entry.Name;
    const std::string extension = n.substr(n.size() - 4);
    if (extension == ".bmp")
        return DecodeBitmap(data);
    if (extension == ".png")
        return DecodePng(data);
    return DecodeJpeg(data);
}

void BareBuiltInSkin(benchmark::State& state) {
    const RealPackage& p = BuiltIn(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::vector<std::uint8_t>> unpacked;
        std::vector<QImage> pictures;
        for (std::size_t i = 0; i < p.Entries.size(); ++i) {
            std::vector<std::uint8_t> out(p.Entries[i].Data.size());
            uLongf size = static_cast<uLongf>(out.size());
            uncompress(out.data(), &size, p.Streams[i].data(), static_cast<uLong>(p.Streams[i].size()));
            if (i > 0)
                pictures.push_back(DecodeEntry(p.Entries[i], out));
            unpacked.push_back(std::move(out));
        }
        benchmark::DoNotOptimize(pictures);
    }
    state.SetLabel(p.Name);
}

} // namespace

BENCHMARK(LoadSkinPackageIntoTables)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareInflateAndDecode)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadBuiltInSkinIntoTables)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareBuiltInSkin)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
