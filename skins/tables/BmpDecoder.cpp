// Windows bitmaps, read by hand: every offset and size in the headers is checked against the
// bytes that are really there before it is used.
#include "Format.h"
#include "SkinPictures.h"

#include <array>

namespace {

struct BmpHeader {
    std::int64_t Width = 0;
    std::int64_t Height = 0; // negative: rows stored top-down
    int BitCount = 0;
    std::uint32_t Compression = 0;
    std::uint32_t ColorsUsed = 0;
    std::size_t PaletteOffset = 0;
    std::size_t PaletteEntrySize = 4;
    std::uint64_t PixelOffset = 0;
};

class ByteView {
public:
    explicit ByteView(std::span<const std::uint8_t> data) : Data(data) {}
    std::uint32_t U32(std::size_t at) const { return U16(at) | std::uint32_t(U16(at + 2)) << 16; }
    std::uint16_t U16(std::size_t at) const {
        Need(at, 2);
        return static_cast<std::uint16_t>(Data[at] | Data[at + 1] << 8);
    }
    void Need(std::size_t at, std::size_t count) const {
        if (at > Data.size() || count > Data.size() - at)
            throw EInvalidGraphic("Bitmap image is not valid");
    }
    std::span<const std::uint8_t> Data;
};

BmpHeader ReadHeader(const ByteView& view) {
    if (view.Data.size() < 18 || view.Data[0] != 'B' || view.Data[1] != 'M')
        throw EInvalidGraphic("Bitmap image is not valid");
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
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    header.PaletteOffset = 14 + static_cast<std::size_t>(infoSize);
    return header;
}

std::array<QRgb, 256> ReadPalette(const ByteView& view, const BmpHeader& header) {
    std::array<QRgb, 256> palette{};
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

QRgb PixelAt(const std::uint8_t* row, std::int64_t x, int bits, const std::array<QRgb, 256>& palette) {
    switch (bits) {
    case 1:
        return palette[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4:
        return palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F];
    case 8:
        return palette[row[x]];
    case 16: {
        const unsigned v = row[x * 2] | row[x * 2 + 1] << 8;
        return qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
    }
    case 24:
        return qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default:
        return qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
    }
}

} // namespace

void CheckPictureSize(std::int64_t width, std::int64_t height, const char* kind) {
    if (width < 0 || height < 0 || width > MaxPictureSide || height > MaxPictureSide ||
        width * height > MaxPicturePixels)
        throw EInvalidGraphic(
            FormatMessage("%s picture of %d x %d pixels is too large", {std::string(kind), width, height}));
}

QImage DecodeBitmap(std::span<const std::uint8_t> data) {
    const ByteView view(data);
    const BmpHeader header = ReadHeader(view);
    const int bits = header.BitCount;
    if (header.Compression != 0 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        throw EInvalidGraphic("Bitmap image is not valid");
    const std::int64_t height = header.Height < 0 ? -header.Height : header.Height;
    if (header.Width < 0)
        throw EInvalidGraphic("Bitmap image is not valid");
    CheckPictureSize(header.Width, height, "Bitmap");
    if (header.Width == 0 || height == 0)
        return {};
    const std::uint64_t stride = (static_cast<std::uint64_t>(header.Width) * bits + 31) / 32 * 4;
    if (header.PixelOffset > data.size() || stride * height > data.size() - header.PixelOffset)
        throw EInvalidGraphic("Bitmap image is not valid");
    const std::array<QRgb, 256> palette = bits <= 8 ? ReadPalette(view, header) : std::array<QRgb, 256>{};
    QImage image(static_cast<int>(header.Width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull())
        throw EInvalidGraphic("Out of memory while decoding a bitmap");
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t stored = header.Height < 0 ? y : height - 1 - y;
        const std::uint8_t* row = data.data() + header.PixelOffset + stored * stride;
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (std::int64_t x = 0; x < header.Width; ++x)
            out[x] = PixelAt(row, x, bits, palette);
    }
    return image;
}
