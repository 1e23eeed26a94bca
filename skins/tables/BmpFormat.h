#pragma once
// The parts of a Windows bitmap file the decoder reads, checked against the bytes present.

#include <QImage>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct BmpHeader {
    std::int64_t Width = 0;
    std::int64_t Height = 0; // negative: rows stored top-down
    int BitCount = 0;
    std::uint32_t Compression = 0;
    std::uint32_t ColorsUsed = 0;
    std::size_t PaletteOffset = 0;
    std::size_t PaletteEntrySize = 4;
    std::uint64_t PixelOffset = 0;
    // Channel masks of 16- and 32-bit pictures; AlphaMask 0 means the picture has no alpha.
    std::uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0, AlphaMask = 0;
};

enum BmpCompression : std::uint32_t {
    BiRgb = 0,
    BiRle8 = 1,
    BiRle4 = 2,
    BiBitfields = 3,
    BiAlphaBitfields = 6
};

class ByteView {
public:
    explicit ByteView(std::span<const std::uint8_t> data) : Data(data) {}
    std::uint32_t U32(std::size_t at) const { return U16(at) | std::uint32_t(U16(at + 2)) << 16; }
    std::uint16_t U16(std::size_t at) const {
        Need(at, 2);
        return static_cast<std::uint16_t>(Data[at] | Data[at + 1] << 8);
    }
    // Raises EInvalidGraphic when the bytes are not all there.
    void Need(std::size_t at, std::size_t count) const;
    std::span<const std::uint8_t> Data;
};

using BmpPalette = std::array<QRgb, 256>;

// Fills `image` (already allocated, Width x |Height|) from run-length encoded 4- or 8-bit data.
// Pixels the runs do not reach take palette entry 0.
void DecodeBmpRle(const ByteView& view, const BmpHeader& header, const BmpPalette& palette, QImage& image);
