// Image references of every form, read into the mask and pattern tables by a whole load.
#include "SkinLoadFixture.h"

#include <gtest/gtest.h>

namespace {

struct MaskCase {
    const char* value;
    TacImgType type;
    int left, top, right, bottom;
    int imageCount, maskType, borderWidth, stretchMode;
    int wl, wt, wr, wb;
    bool ownImage;
};

void PrintTo(const MaskCase& c, std::ostream* os) {
    *os << c.value;
}

class SkinMaskForms : public ::testing::TestWithParam<MaskCase> {};

std::vector<PackageEntry> Pictures() {
    return {{"ButtonHuge.bmp", TestBitmap(288, 192, 8)},
            {"Master.bmp", TestBitmap(210, 300, 24)},
            {"GlowRed.png", TestPng(36, 34)}};
}

} // namespace

TEST_P(SkinMaskForms, GiveTheFieldsOfTheirFixedPositionsOrWords) {
    const MaskCase& c = GetParam();
    const LoadedSkin skin = LoadTestSkin(
        "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n[Button]\r\nBordersMask=" + std::string(c.value) + "\r\n",
        Pictures());
    ASSERT_EQ(skin.Tables.Masks.size(), 1u);
    const TsMaskData& m = skin.Tables.Masks[0];
    EXPECT_EQ(m.ImgType, c.type);
    EXPECT_EQ((std::vector<int>{m.Left, m.Top, m.Right, m.Bottom}),
              (std::vector<int>{c.left, c.top, c.right, c.bottom}));
    EXPECT_EQ((std::vector<int>{m.ImageCount, m.MaskType, m.BorderWidth, m.StretchMode}),
              (std::vector<int>{c.imageCount, c.maskType, c.borderWidth, c.stretchMode}));
    EXPECT_EQ((std::vector<int>{m.WL, m.WT, m.WR, m.WB}), (std::vector<int>{c.wl, c.wt, c.wr, c.wb}));
    EXPECT_EQ(!m.Image.isNull(), c.ownImage);
    // Fixed and "!" forms keep the names as written; the plain name and "#" forms upper-case them.
    const bool upper = c.value[0] != '@' && c.value[0] != '^' && c.value[0] != '~' && c.value[0] != '!';
    EXPECT_EQ(m.SectionName, upper ? "BUTTON" : "Button");
    EXPECT_EQ(m.PropertyName, upper ? "BORDERSMASK" : "BordersMask");
}

using T = TacImgType;
INSTANTIATE_TEST_SUITE_P(
    AllForms, SkinMaskForms,
    ::testing::Values(
        MaskCase{"@0049@0210@0097@0246@3@1", T::itisaGlyph, 49, 210, 97, 246, 3, 1, 0, 0, 0, 0, 0, 0, false},
        MaskCase{"^0030^0048^0102^0096^0000^0000^0000^0000^3^1^5^0", T::itisaBorder, 30, 48, 102, 96, 3, 1, 0,
                 5, 8, 8, 8, 8, false},
        MaskCase{"^0030^0048^0102^0096^0000^0000^0000^0000^3^1^5^2", T::itisaBorder, 30, 48, 102, 96, 3, 1, 2,
                 5, 2, 2, 2, 2, false},
        MaskCase{"^0030^0048^0102^0096^0004^0001^0000^0000^3^1^5^2", T::itisaBorder, 30, 48, 102, 96, 3, 1, 2,
                 5, 4, 1, 0, 0, false},
        MaskCase{"~0018~0054~0021~0060~10~1", T::itisaTexture, 18, 54, 21, 60, 1, 1, 0, 10, 0, 0, 0, 0,
                 false},
        MaskCase{"~0000~0000~0045~0042~00", T::itisaTexture, 0, 0, 45, 42, 1, 0, 0, 0, 0, 0, 0, 0, false},
        MaskCase{"!BUTTONHUGE.BMP!3!1!0", T::itisaBorder, 0, 0, 288, 192, 3, 1, 0, 4, 32, 32, 32, 32, true},
        MaskCase{"!BUTTONHUGE.BMP!3!1!7!1!2!3!4", T::itisaPngGlyph, 0, 0, 288, 192, 3, 1, 0, 4, 1, 2, 3, 4,
                 true},
        MaskCase{"!GLOWRED.PNG!1!0!4", T::itisaPngGlyph, 0, 0, 36, 34, 1, 0, 0, 4, 12, 11, 12, 11, true},
        MaskCase{"buttonhuge.bmp", T::itisaBorder, 0, 0, 288, 192, 3, 1, 0, 0, 32, 32, 32, 32, true},
        MaskCase{"#BTN (10,20,70,80) (2,1,0)", T::itisaBorder, 10, 20, 70, 80, 2, 1, 0, 1, 10, 10, 10, 10,
                 false},
        MaskCase{"#BTN(10,20,70,80)(-5,-2,-1,3)", T::itisaBorder, 10, 20, 70, 80, 1, 0, 0, 3, 20, 20, 20, 20,
                 false},
        MaskCase{"#BTN(10,20,70,80)(2,1,6)", T::itisaBorder, 10, 20, 70, 80, 2, 1, 6, 1, 6, 6, 6, 6, false}));

TEST(SkinMasks, ValuesThatAreNoImageReferenceOrNameNoPictureMakeNoMask) {
    const LoadedSkin skin =
        LoadTestSkin("[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n[A]\r\nCOLOR=123\r\nX=N/A\r\n"
                     "G=1;2;3;4;5\r\nH=#\r\nB=TRUE\r\nMISSING=!NOSUCH.BMP!3!1!0\r\n"
                     "NOTPICTURE=!FILE.GIF!1!1!1\r\nPLAIN=NOSUCH.BMP\r\nEMPTY=!EMPTY.BMP!1!1!0\r\n",
                     {{"Master.bmp", TestBitmap(4, 4, 24)}, {"EMPTY.BMP", TestBitmap(0, 0, 24)}});
    EXPECT_TRUE(skin.Tables.Masks.empty()); // MASTERBITMAP itself is no mask either
    EXPECT_EQ(skin.Tables.MasterBitmap.size(), QSize(4, 4));
}

TEST(SkinMasks, BadNumbersFailTheLoadWithAConversionError) {
    const char* const values[] = {
        "@0049@0210@0097@0246@3",                         // shorter than 24 characters
        "@0049@0210@0097@0246@3@",                        // still short
        "@00x9@0210@0097@0246@3@1",                       // a non-digit at a fixed position
        "@ 049@0210@0097@0246@3@1",                       // a blank is no digit either
        "^0030^0048^0102^0096^0000^0000^0000^0000^3^1^5", // border width missing
        "~0000~0000~0045~0042~0",                         // stretch mode needs two digits
        "~0000~0000~0045~0042~00~x",                      // mask type present but not a digit
        "!BUTTONHUGE.BMP!3!one!0",
        "!BUTTONHUGE.BMP!3!1",       // kind missing
        "!BUTTONHUGE.BMP!3!1!0!1!2", // widths incomplete
        "#FF00FF",                   // "#" form without its rectangle
        "#BTN(10,20,70)(2,1)",
        "#BTN(10,20,70,80)",
    };
    for (const char* value : values)
        EXPECT_THROW(LoadTestSkin("[A]\r\nM=" + std::string(value) + "\r\n",
                                  {{"ButtonHuge.bmp", TestBitmap(288, 192, 8)}}),
                     EConvertError)
            << value;
}

TEST(SkinMasks, WidthsThatCannotBeDerivedAreALoadError) {
    const char* const values[] = {
        "^0030^0048^0102^0096^0000^0000^0000^0000^0^1^5^0", // image count 0, no widths, no border width
        "!BUTTONHUGE.BMP!0!1!0",
        "!BUTTONHUGE.BMP!3!-1!0", // mask type -1 would divide by zero
        "!BUTTONHUGE.BMP!-2!1!0",
    };
    for (const char* value : values) {
        try {
            LoadTestSkin("[A]\r\nM=" + std::string(value) + "\r\n",
                         {{"ButtonHuge.bmp", TestBitmap(288, 192, 8)}});
            ADD_FAILURE() << value << " loaded";
        } catch (const Exception& error) {
            EXPECT_NE(error.Message.find("cannot be derived"), std::string::npos) << error.Message;
        }
    }
    // With an image count of 0 but given widths or a border width there is nothing to divide.
    EXPECT_NO_THROW(LoadTestSkin("[A]\r\nM=^0030^0048^0102^0096^0000^0000^0000^0000^0^1^5^2\r\n"));
    EXPECT_NO_THROW(LoadTestSkin("[A]\r\nM=!BUTTONHUGE.BMP!0!1!0!1!1!1!1\r\n",
                                 {{"ButtonHuge.bmp", TestBitmap(9, 9, 8)}}));
}

TEST(SkinMasks, PngGlowsLoseTheirTransparentWhite) {
    const LoadedSkin skin =
        LoadTestSkin("[GLOBALINFO]\r\nBICONCLOSEGLOW0=!GLOWRED.PNG!1!0!4\r\nOTHER=!GLOWRED.PNG!1!0!9\r\n",
                     {{"GlowRed.png", TestPng(36, 34)}});
    ASSERT_EQ(skin.Tables.Masks.size(), 2u);
    const TsMaskData& glow = skin.Tables.Masks[0];
    EXPECT_EQ(glow.Image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(glow.Image.pixel(3, 0), 0u);                              // was $00FFFFFF
    EXPECT_EQ(glow.Image.pixel(2, 5), qRgba(14, 35, 200, 128));         // other pixels untouched
    EXPECT_EQ(skin.Tables.Masks[1].ImgType, TacImgType::itisaPngGlyph); // kinds above 4 count as 4
}

TEST(SkinMasks, MasterBitmapIsFoundByItsNameAsWritten) {
    const std::vector<PackageEntry> pictures{{"Master.bmp", TestBitmap(192, 222, 8)}};
    const LoadedSkin upper = LoadTestSkin("[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n", pictures);
    EXPECT_EQ(upper.Tables.MasterBitmap.size(), QSize(192, 222));
    EXPECT_EQ(upper.Tables.MasterBitmap.format(), QImage::Format_RGB32);
    EXPECT_EQ(upper.Tables.MasterBitmap.pixel(0, 0), qRgb(255, 0, 255)); // magenta kept for transparency
    const LoadedSkin lower = LoadTestSkin("[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\n", pictures);
    EXPECT_TRUE(lower.Tables.MasterBitmap.isNull());
}

TEST(SkinMasks, DamagedPicturesFailTheLoad) {
    EXPECT_THROW(LoadTestSkin("[A]\r\nM=!BUTTONHUGE.BMP!3!1!0\r\n", {{"ButtonHuge.bmp", Bytes("BM broken")}}),
                 Exception);
    EXPECT_THROW(LoadTestSkin("[A]\r\nP=BKGND.JPG\r\n", {{"Bkgnd.jpg", Bytes("broken")}}), Exception);
}

TEST(SkinPatterns, LargeJpegsArePatternsAndSmallOnesTextureMasks) {
    const struct {
        int width, height;
        bool pattern;
    } cases[] = {{300, 300, true}, {300, 299, false}, {256, 256, false}, {1, 1, false}};
    for (const auto& c : cases) {
        const LoadedSkin skin =
            LoadTestSkin("[form]\r\nPattern=bkgnd.jpg\r\nHotPattern=BKGND.JPG\r\nOTHER=NONE.JPG\r\n",
                         {{"Bkgnd.jpg", TestJpeg(c.width, c.height, true)}});
        const std::size_t patterns = c.pattern ? 2 : 0;
        ASSERT_EQ(skin.Tables.Patterns.size(), patterns) << c.width << "x" << c.height;
        ASSERT_EQ(skin.Tables.Masks.size(), 2 - patterns);
        if (c.pattern) {
            EXPECT_EQ(skin.Tables.Patterns[0].SectionName, "FORM");
            EXPECT_EQ(skin.Tables.Patterns[0].PropertyName, "PATTERN");
            EXPECT_EQ(skin.Tables.Patterns[1].PropertyName, "HOTPATTERN");
            EXPECT_EQ(skin.Tables.Patterns[0].Image.size(), QSize(c.width, c.height));
        } else {
            const TsMaskData& m = MaskOf(skin.Tables, "FORM", "PATTERN");
            EXPECT_EQ(m.ImgType, TacImgType::itisaTexture);
            EXPECT_EQ(m.ImageCount, 1);
            EXPECT_EQ(QSize(m.Right, m.Bottom), QSize(c.width, c.height));
            EXPECT_EQ(m.Image.size(), QSize(c.width, c.height));
        }
    }
}

TEST(SkinMasks, OnlyATextureKeepsTheAlphaOfA32BitBitmap) {
    const std::vector<std::uint8_t> withAlpha =
        BitmapFile({2, 1, 32, 0, 40, {}, {}, {0, 0, 255, 128, 0, 255, 0, 255}});
    const LoadedSkin skin = LoadTestSkin("[S]\r\nTEX=!A.BMP!1!0!1\r\nBORDER=!A.BMP!1!0!0\r\nPLAIN=A.BMP\r\n",
                                         {{"A.BMP", withAlpha}});
    const TsMaskData& texture = MaskOf(skin.Tables, "S", "TEX");
    EXPECT_TRUE(texture.Image.hasAlphaChannel());
    EXPECT_EQ(texture.Picture.pixel(0, 0), qPremultiply(qRgba(255, 0, 0, 128)));
    const TsMaskData& border = MaskOf(skin.Tables, "S", "BORDER");
    EXPECT_FALSE(border.Image.hasAlphaChannel());
    EXPECT_EQ(border.Picture.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_FALSE(MaskOf(skin.Tables, "S", "PLAIN").Image.hasAlphaChannel());
}

TEST(SkinMasks, NumbersBeyondSixteenBitsAreClampedNotWrapped) {
    const LoadedSkin skin = LoadTestSkin("[S]\r\nA=!B.BMP!70000!65536!0!99999!-70000!65536!5\r\n",
                                         {{"B.BMP", TestBitmap(8, 8, 24)}});
    const TsMaskData& mask = MaskOf(skin.Tables, "S", "A");
    EXPECT_EQ(mask.ImageCount, 32767);
    EXPECT_EQ(mask.MaskType, 32767);
    // Negative widths end as 0 once the mask is normalised.
    EXPECT_EQ((std::vector<int>{mask.WL, mask.WT, mask.WR, mask.WB}), (std::vector<int>{32767, 0, 32767, 5}));
}
