// Windows bitmaps, read by hand: every offset and size in the headers is checked against the
// bytes that are really there before it is used.
//
// Alpha: a 16- or 32-bit picture has an alpha channel when its header gives an alpha mask
// (BI_BITFIELDS with a version 3 or later header, or BI_ALPHABITFIELDS), and an uncompressed
// 32-bit picture uses its fourth byte as alpha. Many writers leave that byte (or the masked
// bits) 0 without meaning "transparent", so a picture whose alpha is 0 everywhere is opaque.
#include "BmpFormat.h"
#include "Format.h"
#include "SkinPictures.h"

#include <bit>

namespace {

[[noreturn]] void Invalid() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

void ReadMasks(const ByteView& view, std::uint32_t infoSize, BmpHeader& header) {
    if (header.Compression == BiRgb) {
        if (header.BitCount == 16) {
            header.RedMask = 0x7C00, header.GreenMask = 0x03E0, header.BlueMask = 0x001F;
        } else {
            header.RedMask = 0x00FF0000, header.GreenMask = 0x0000FF00, header.BlueMask = 0x000000FF;
            header.AlphaMask = 0xFF000000;
        }
        return;
    }
    // The masks follow a 40-byte header, or are part of a longer one at the same place.
    header.RedMask = view.U32(54);
    header.GreenMask = view.U32(58);
    header.BlueMask = view.U32(62);
    const bool alphaMask = header.Compression == BiAlphaBitfields || infoSize >= 56;
    header.AlphaMask = alphaMask ? view.U32(66) : 0;
    if (infoSize == 40)
        header.PaletteOffset += header.Compression == BiAlphaBitfields ? 16 : 12;
}

BmpHeader ReadHeader(const ByteView& view) {
    if (view.Data.size() < 18 || view.Data[0] != 'B' || view.Data[1] != 'M')
        Invalid();
    BmpHeader header;
    header.PixelOffset = view.U32(10);
    const std::uint32_t infoSize = view.U32(14);
    if (infoSize == 12) {
        header.Width = view.U16(18);
        header.Height = static_cast<std::int16_t>(view.U16(20));
        header.BitCount = view.U16(24);
        header.PaletteEntrySize = 3;
    } else if (infoSize >= 40) {
        header.Width = static_cast<std::int32_t>(view.U32(18));
        header.Height = static_cast<std::int32_t>(view.U32(22));
        header.BitCount = view.U16(28);
        header.Compression = view.U32(30);
        header.ColorsUsed = view.U32(46);
    } else {
        Invalid();
    }
    header.PaletteOffset = 14 + static_cast<std::size_t>(infoSize);
    const int bits = header.BitCount;
    const std::uint32_t c = header.Compression;
    const bool valid =
        (c == BiRgb && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) ||
        (c == BiRle8 && bits == 8) || (c == BiRle4 && bits == 4) ||
        ((c == BiBitfields || c == BiAlphaBitfields) && (bits == 16 || bits == 32));
    if (!valid || header.Width < 0 || ((c == BiRle8 || c == BiRle4) && header.Height < 0))
        Invalid();
    if (bits == 16 || bits == 32)
        ReadMasks(view, infoSize, header);
    return header;
}

BmpPalette ReadPalette(const ByteView& view, const BmpHeader& header) {
    BmpPalette palette{};
    palette.fill(qRgb(0, 0, 0));
    std::size_t count = std::size_t(1) << header.BitCount;
    if (header.ColorsUsed != 0 && header.ColorsUsed < count)
        count = header.ColorsUsed;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = header.PaletteOffset + i * header.PaletteEntrySize;
        if (at > view.Data.size() || view.Data.size() - at < 3)
            break; // a short palette leaves the remaining entries black
        palette[i] = qRgb(view.Data[at + 2], view.Data[at + 1], view.Data[at]);
    }
    return palette;
}

// One channel of a masked pixel, scaled to 0..255; a zero mask gives 0.
int Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const std::uint64_t top = (std::uint64_t(1) << std::bit_width(mask >> shift)) - 1;
    return static_cast<int>(((pixel & mask) >> shift) * 255 / top);
}

QRgb MaskedPixel(const std::uint8_t* row, std::int64_t x, const BmpHeader& h) {
    const std::uint32_t v =
        h.BitCount == 16 ? std::uint32_t(row[x * 2] | row[x * 2 + 1] << 8)
                         : std::uint32_t(row[x * 4]) | std::uint32_t(row[x * 4 + 1]) << 8 |
                               std::uint32_t(row[x * 4 + 2]) << 16 | std::uint32_t(row[x * 4 + 3]) << 24;
    const int alpha = h.AlphaMask != 0 ? Channel(v, h.AlphaMask) : 255;
    return qRgba(Channel(v, h.RedMask), Channel(v, h.GreenMask), Channel(v, h.BlueMask), alpha);
}

QRgb PixelAt(const std::uint8_t* row, std::int64_t x, const BmpHeader& h, const BmpPalette& palette) {
    switch (h.BitCount) {
    case 1:
        return palette[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4:
        return palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F];
    case 8:
        return palette[row[x]];
    case 24:
        return qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default:
        return MaskedPixel(row, x, h);
    }
}

void DecodeRows(const ByteView& view, const BmpHeader& header, const BmpPalette& palette, QImage& image) {
    const std::int64_t height = image.height();
    const std::uint64_t stride = (static_cast<std::uint64_t>(header.Width) * header.BitCount + 31) / 32 * 4;
    if (stride * height > view.Data.size() - header.PixelOffset)
        Invalid();
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t stored = header.Height < 0 ? y : height - 1 - y;
        const std::uint8_t* row = view.Data.data() + header.PixelOffset + stored * stride;
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (std::int64_t x = 0; x < header.Width; ++x)
            out[x] = PixelAt(row, x, header, palette);
    }
}

// Opaque unless the picture has alpha that is not 0 everywhere. Pictures without alpha were
// decoded opaque already.
QImage WithAlphaRule(QImage image, const BmpHeader& header) {
    const int width = image.width();
    bool anyAlpha = false;
    if (header.AlphaMask != 0) {
        for (int y = 0; y < image.height() && !anyAlpha; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < width && !anyAlpha; ++x)
                anyAlpha = qAlpha(row[x]) != 0;
        }
        if (anyAlpha)
            return image;
        for (int y = 0; y < image.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x)
                row[x] |= 0xFF000000u;
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

} // namespace

void ByteView::Need(std::size_t at, std::size_t count) const {
    if (at > Data.size() || count > Data.size() - at)
        Invalid();
}

void CheckPictureSize(std::int64_t width, std::int64_t height, const char* kind, std::int64_t pixelsLeft) {
    if (width < 0 || height < 0 || width > MaxPictureSide || height > MaxPictureSide ||
        width * height > MaxPicturePixels)
        throw EInvalidGraphic(
            FormatMessage("%s picture of %d x %d pixels is too large", {std::string(kind), width, height}));
    if (width * height > pixelsLeft)
        throw ESkinTooLarge(
            FormatMessage("Skin is too large: its pictures hold more than %d pixels", {MaxSkinPixels}));
}

QImage DecodeBitmap(std::span<const std::uint8_t> data, std::int64_t pixelsLeft) {
    const ByteView view(data);
    const BmpHeader header = ReadHeader(view);
    const std::int64_t height = header.Height < 0 ? -header.Height : header.Height;
    CheckPictureSize(header.Width, height, "Bitmap", pixelsLeft);
    if (header.Width == 0 || height == 0)
        return {};
    if (header.PixelOffset > data.size())
        Invalid();
    const BmpPalette palette = header.BitCount <= 8 ? ReadPalette(view, header) : BmpPalette{};
    QImage image(static_cast<int>(header.Width), static_cast<int>(height), QImage::Format_ARGB32);
    if (image.isNull())
        throw EInvalidGraphic("Out of memory while decoding a bitmap");
    if (header.Compression == BiRle8 || header.Compression == BiRle4)
        DecodeBmpRle(view, header, palette, image);
    else
        DecodeRows(view, header, palette, image);
    return WithAlphaRule(std::move(image), header);
}
