#pragma once
// Decoders for the pictures of skins. Each returns a QImage ready for painting: JPEGs and
// bitmaps without alpha as QImage::Format_RGB32, PNGs and bitmaps with alpha as
// QImage::Format_ARGB32 (not premultiplied). A picture of width or height 0 gives a null image
// (the loader skips it). Damaged data and pictures larger than MaxPicturePixels raise
// EInvalidGraphic; a picture larger than what is left of the skin's pixel budget (pixelsLeft)
// raises ESkinTooLarge. Nothing is allocated before the size has been checked.

#include "Exceptions.h"
#include "SkinBudget.h"

#include <QImage>
#include <cstdint>
#include <span>

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EInvalidGraphic"; }
};

// Far above any skin picture (the largest built-in one has 63,000 pixels).
inline constexpr std::int64_t MaxPicturePixels = MaxSkinPixels;
inline constexpr std::int64_t MaxPictureSide = 32768;

// A progressive JPEG with more scans than this is refused: each scan is a pass over the whole
// picture. Encoders write 6 to 12.
inline constexpr int MaxJpegScans = 32;

// Windows bitmap: 1, 4 and 8 bits with palette (uncompressed, RLE4, RLE8), 16 and 32 bits
// (5-5-5, 8-8-8 or the masks of BI_BITFIELDS and BI_ALPHABITFIELDS) and 24 bits, bottom-up or
// top-down, with a Windows (any version) or OS/2 header. Alpha: see BmpDecoder.cpp.
QImage DecodeBitmap(std::span<const std::uint8_t> data, std::int64_t pixelsLeft = MaxSkinPixels);
// Baseline or progressive JPEG, colour or grey-scale.
QImage DecodeJpeg(std::span<const std::uint8_t> data, std::int64_t pixelsLeft = MaxSkinPixels);
// Any PNG; palette, grey and 16-bit pictures are expanded to 8-bit RGBA.
QImage DecodePng(std::span<const std::uint8_t> data, std::int64_t pixelsLeft = MaxSkinPixels);

// Raises EInvalidGraphic when a picture of this size may not be allocated at all, and
// ESkinTooLarge when it does not fit in what is left of the skin's budget.
void CheckPictureSize(std::int64_t width, std::int64_t height, const char* kind,
                      std::int64_t pixelsLeft = MaxSkinPixels);
