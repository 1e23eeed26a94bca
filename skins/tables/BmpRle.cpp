// Run-length encoded bitmaps (RLE8 and RLE4). Every command takes at least two bytes and writes
// at most one row's worth of pixels, all clipped to the picture, so hostile data costs at most
// a bounded amount of work per byte.
#include "BmpFormat.h"

#include <algorithm>

namespace {

class RlePainter {
public:
    RlePainter(QImage& image, const BmpPalette& palette)
        : Image(image), Palette(palette), Width(image.width()), Height(image.height()) {}

    bool Done() const { return Row >= Height; }
    // One pixel of palette entry `index`; pixels past the end of the row are dropped, as runs
    // never wrap onto the next row.
    void Put(std::uint8_t index) {
        if (X < Width)
            reinterpret_cast<QRgb*>(Image.scanLine(Height - 1 - static_cast<int>(Row)))[X++] = Palette[index];
    }
    bool RowFull() const { return X >= Width; }
    void NextLine() {
        X = 0;
        ++Row;
    }
    void Move(std::uint8_t dx, std::uint8_t dy) {
        X = std::min<std::int64_t>(X + dx, Width);
        Row += dy;
    }

private:
    QImage& Image;
    const BmpPalette& Palette;
    const std::int64_t Width;
    const int Height;
    std::int64_t X = 0;
    std::int64_t Row = 0; // counted from the bottom: RLE bitmaps are stored bottom-up
};

// Palette index of pixel k of a byte: the byte itself, or its high and low nibble in turn.
std::uint8_t IndexOf(std::uint8_t byte, std::uint32_t k, bool fourBits) {
    if (!fourBits)
        return byte;
    return k % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

} // namespace

void DecodeBmpRle(const ByteView& view, const BmpHeader& header, const BmpPalette& palette, QImage& image) {
    image.fill(palette[0]);
    const bool fourBits = header.Compression == BiRle4;
    RlePainter painter(image, palette);
    const std::span<const std::uint8_t> data = view.Data;
    std::size_t at = static_cast<std::size_t>(header.PixelOffset);
    // Data that ends without an end-of-bitmap mark leaves the rest of the picture as it is.
    while (!painter.Done() && data.size() - at >= 2) {
        const std::uint8_t count = data[at];
        const std::uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (std::uint32_t k = 0; k < count && !painter.RowFull(); ++k)
                painter.Put(IndexOf(value, k, fourBits));
        } else if (value == 0) {
            painter.NextLine();
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (data.size() - at < 2)
                return;
            painter.Move(data[at], data[at + 1]);
            at += 2;
        } else {
            // An absolute run of `value` pixels, padded to a 16-bit boundary.
            const std::size_t bytes = fourBits ? (value + 1u) / 2 : value;
            if (data.size() - at < bytes)
                return;
            for (std::uint32_t k = 0; k < value; ++k)
                painter.Put(IndexOf(data[at + (fourBits ? k / 2 : k)], k, fourBits));
            // The padding byte may be missing at the very end of the data.
            at = std::min(at + bytes + bytes % 2, data.size());
        }
    }
}
