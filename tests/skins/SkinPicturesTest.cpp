// The picture decoders, against pictures encoded by the writers and against damaged ones.
#include "SkinPictures.h"

#include "PictureWriters.h"
#include "SkinTestPictures.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

int MaxChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

double MeanChannelDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

TEST(SkinPictures, BitmapsOfEightAndTwentyFourBitsDecodeExactly) {
    for (const int bits : {8, 24}) {
        const QImage decoded = DecodeBitmap(TestBitmap(288, 192, bits));
        ASSERT_EQ(decoded.size(), QSize(288, 192)) << bits;
        EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
        EXPECT_EQ(MaxChannelDifference(decoded, TestImage(288, 192)), 0) << bits;
        EXPECT_EQ(decoded.pixel(0, 0), qRgb(255, 0, 255)); // top row stays on top
    }
}

TEST(SkinPictures, TopDownBitmapsAreNotFlipped) {
    std::vector<std::uint8_t> bytes = TestBitmap(5, 3, 24);
    Put32(bytes, 22, static_cast<std::uint32_t>(-3));
    const QImage decoded = DecodeBitmap(bytes);
    ASSERT_EQ(decoded.height(), 3);
    EXPECT_EQ(decoded.pixel(0, 2), qRgb(255, 0, 255)); // stored first, so now the top row is last
}

TEST(SkinPictures, DamagedOrAbsurdBitmapsAreLoadErrors) {
    const std::vector<std::uint8_t> good = TestBitmap(16, 16, 8);
    const struct {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    } cases[] = {
        {"huge width", 18, 100000},
        {"huge height", 22, 0x7FFFFFFF},
        {"pixels past the end", 10, 0x7FFFFFFF},
        {"negative width", 18, 0xFFFFFFF0},
        {"RLE4 on 8 bits", 30, 2},
        {"JPEG inside", 30, 4},
        {"unknown header", 14, 20},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        Put32(bytes, c.at, c.value);
        EXPECT_THROW(DecodeBitmap(bytes), EInvalidGraphic) << c.what;
    }
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 1);
    EXPECT_THROW(DecodeBitmap(cut), EInvalidGraphic);
    EXPECT_THROW(DecodeBitmap(Bytes("BM")), EInvalidGraphic);
    std::vector<std::uint8_t> empty = good;
    Put32(empty, 18, 0);
    EXPECT_TRUE(DecodeBitmap(empty).isNull());
}

TEST(SkinPictures, PngDecodesWithAlpha) {
    const QImage decoded = DecodePng(TestPng(36, 34));
    ASSERT_EQ(decoded.size(), QSize(36, 34));
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32);
    EXPECT_EQ(decoded.pixel(3, 0), 0x00FFFFFFu); // the decoder itself keeps transparent white
    EXPECT_EQ(decoded.pixel(1, 5), qRgba(7, 35, 200, 255));
    EXPECT_EQ(decoded.pixel(2, 5), qRgba(14, 35, 200, 128));
}

TEST(SkinPictures, JpegsDecodeInColourAndGrey) {
    for (const bool grey : {false, true}) {
        const QImage decoded = DecodeJpeg(TestJpeg(256, 256, grey));
        ASSERT_EQ(decoded.size(), QSize(256, 256));
        EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
        const QImage expected =
            grey ? TestImage(256, 256).convertToFormat(QImage::Format_Grayscale8) : TestImage(256, 256);
        // Lossy, but the picture must be the same one, the right way up and in the right channels.
        EXPECT_LT(MeanChannelDifference(decoded, expected.convertToFormat(QImage::Format_RGB32)), 6.0);
        EXPECT_EQ(qAlpha(decoded.pixel(100, 100)), 255);
    }
}

TEST(SkinPictures, DamagedPngAndJpegAreLoadErrors) {
    for (const auto& bytes : {TestPng(8, 8), TestJpeg(8, 8)}) {
        const bool png = bytes[1] == 'P';
        const auto decode = [png](const std::vector<std::uint8_t>& data) {
            return png ? DecodePng(data) : DecodeJpeg(data);
        };
        EXPECT_THROW(decode(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 20)), EInvalidGraphic);
        EXPECT_THROW(decode(Bytes("not a picture at all")), EInvalidGraphic);
        EXPECT_THROW(decode({}), EInvalidGraphic);
    }
}

TEST(SkinPictures, PicturesClaimingAHugeSizeAreRefusedBeforeAllocating) {
    std::vector<std::uint8_t> bytes = TestPng(8, 8);
    // IHDR: width and height big-endian at 16 and 20, CRC of type and data at 29.
    for (const std::size_t at : {std::size_t(16), std::size_t(20)}) {
        bytes[at] = 0x00;
        bytes[at + 1] = 0x00;
        bytes[at + 2] = 0x75;
        bytes[at + 3] = 0x30; // 30,000
    }
    const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, bytes.data() + 12, 17));
    for (int i = 0; i < 4; ++i)
        bytes[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    try {
        DecodePng(bytes);
        FAIL() << "a 30,000 x 30,000 PNG was accepted";
    } catch (const EInvalidGraphic& error) {
        EXPECT_EQ(error.Message, "PNG picture of 30000 x 30000 pixels is too large");
    }
}
