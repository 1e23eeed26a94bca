#pragma once
// Small pictures and packages that the skin tests build for themselves.

#include "PackageWriter.h"

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

// A picture of 8 x 8 blocks in 128 colours (so it fits an 8-bit palette), with magenta in its
// top-left pixel.
QImage TestImage(int width, int height);
std::vector<std::uint8_t> TestBitmap(int width, int height, int bitsPerPixel);
// RGBA PNG whose first row is fully transparent white ($00FFFFFF) and whose other pixels are
// opaque or half transparent.
std::vector<std::uint8_t> TestPng(int width, int height);
std::vector<std::uint8_t> TestJpeg(int width, int height, bool greyScale = false);

std::vector<std::uint8_t> Bytes(const std::string& text);

// A Windows bitmap written field by field, for the forms the writers do not produce. Masks go
// after a 40-byte header (three, or four with BI_ALPHABITFIELDS) or inside a longer one.
struct BitmapFileSpec {
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    std::uint32_t Compression = 0;
    std::uint32_t InfoSize = 40;
    std::vector<std::uint32_t> Masks;
    std::vector<QRgb> Palette;
    std::vector<std::uint8_t> Pixels;
};
std::vector<std::uint8_t> BitmapFile(const BitmapFileSpec& spec);

// A package of Options.dat plus the given pictures, Options.dat first.
std::vector<std::uint8_t> TestPackage(const std::string& options,
                                      const std::vector<PackageEntry>& pictures = {});
