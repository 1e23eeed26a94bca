#pragma once
// Decoders for the pictures of skins. Each returns a QImage ready for painting:
// bitmaps and JPEGs as QImage::Format_RGB32, PNGs as QImage::Format_ARGB32 (not premultiplied).
// A picture of width or height 0 gives a null image (the loader skips it). Damaged data and
// pictures larger than MaxPicturePixels raise EInvalidGraphic; nothing is allocated before the
// size has been checked.

#include "Exceptions.h"

#include <QImage>
#include <cstdint>
#include <span>

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EInvalidGraphic"; }
};

// Far above any skin picture (the largest built-in one has 63,000 pixels).
inline constexpr std::int64_t MaxPicturePixels = 16 * 1024 * 1024;
inline constexpr std::int64_t MaxPictureSide = 32768;

// Windows bitmap: 1, 4 and 8 bits with palette, 16 (5-5-5), 24 and 32 bits, uncompressed,
// bottom-up or top-down, with a Windows or OS/2 header.
QImage DecodeBitmap(std::span<const std::uint8_t> data);
// Baseline or progressive JPEG, colour or grey-scale.
QImage DecodeJpeg(std::span<const std::uint8_t> data);
// Any PNG; palette, grey and 16-bit pictures are expanded to 8-bit RGBA.
QImage DecodePng(std::span<const std::uint8_t> data);

// Raises EInvalidGraphic when a picture of this size may not be allocated.
void CheckPictureSize(std::int64_t width, std::int64_t height, const char* kind);
