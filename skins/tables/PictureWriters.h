#pragma once
// Encoders for skin pictures, for the artwork generator and for tests that build packages.

#include <QImage>
#include <cstdint>
#include <vector>

// Windows bitmap, bottom-up. 8 bits: a palette of the picture's colours (at most 256, else an
// Exception); 24 bits: BGR.
std::vector<std::uint8_t> EncodeBitmap(const QImage& image, int bitsPerPixel);

// 8-bit RGBA PNG, not interlaced.
std::vector<std::uint8_t> EncodePng(const QImage& image);

struct JpegOptions {
    int Quality = 85;
    bool GreyScale = false;
};

// Baseline JPEG.
std::vector<std::uint8_t> EncodeJpeg(const QImage& image, const JpegOptions& options = {});
