// The section table with inheritance, the GLOBALINFO values, the version message and the lookups.
#include "SkinGlobalInfo.h"
#include "SkinLoadFixture.h"
#include "SystemColors.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const TsGeneralData& Section(const SkinTables& tables, const std::string& name) {
    const int index = tables.FindSection(name);
    if (index < 0)
        throw std::runtime_error("no section " + name);
    return tables.GeneralData[static_cast<std::size_t>(index)];
}

} // namespace

TEST(SkinSections, EverySectionGivesOneRecordInFileOrderWithDefaults) {
    const LoadedSkin skin = LoadTestSkin("[GLOBALINFO]\r\n[FORM]\r\n[EDIT]\r\n");
    ASSERT_EQ(skin.Tables.GeneralData.size(), 3u);
    EXPECT_EQ(skin.Tables.GeneralData[1].SectionName, "FORM");
    const TsGeneralData& d = skin.Tables.GeneralData[2];
    EXPECT_EQ(d.Color, 0xFFFFFF);
    EXPECT_EQ(d.HotColor, 0xFFFFFF);
    EXPECT_EQ(d.GlowColor, 0xFFFFFF);
    EXPECT_EQ(d.HotGlowColor, 0xFFFFFF);
    EXPECT_EQ(d.FadingIterations, 5);
    EXPECT_EQ(d.FontColor.Color, 0);
    EXPECT_EQ(d.FontColor.Left, -1);
    EXPECT_EQ(d.HotFontColor.Bottom, -1);
    EXPECT_EQ(d.GradientData(), " ");
    EXPECT_TRUE(d.Gradient().empty());
    EXPECT_EQ(d.HotGradientData(), "");
    EXPECT_TRUE(d.HotGradient().empty());
    EXPECT_FALSE(d.ShowFocus);
    EXPECT_TRUE(std::ranges::all_of(d.MaskIndex, [](int i) { return i == -1; }));
    EXPECT_EQ(d.ParentIndex, -1);
}

TEST(SkinSections, ValuesComeFromTheParentChain) {
    const LoadedSkin skin =
        LoadTestSkin("[EDIT]\r\nCOLOR=255\r\nFONTCOLOR=7\r\nSHOWFOCUS=true\r\nGRADIENTDATA=1;2;3;4;5\r\n"
                     "GSIZE=300\r\nTRANSPARENCY=40\r\n"
                     "[COMBOBOX]\r\nPARENTCLASS=EDIT\r\nCOLOR=-1\r\nFONTCOLOR=x12\r\nTCLEFT=oops\r\n"
                     "SHOWFOCUS=?\r\nTRANSPARENCY=$10\r\n"
                     "[SELF]\r\nPARENTCLASS=self\r\nCOLOR=-1\r\n"
                     "[LOOPA]\r\nPARENTCLASS=LOOPB\r\n[LOOPB]\r\nPARENTCLASS=LOOPC\r\nGLOW=3\r\n"
                     "[LOOPC]\r\nPARENTCLASS=LOOPA\r\n"
                     "[ORPHAN]\r\nPARENTCLASS=NOSUCH\r\n[QUESTION]\r\nPARENTCLASS=?\r\n");
    const TsGeneralData& combo = Section(skin.Tables, "COMBOBOX");
    EXPECT_EQ(combo.ParentClass, "EDIT");
    EXPECT_EQ(combo.Color, 255);          // "-1" counts as missing
    EXPECT_EQ(combo.FontColor.Color, 18); // "x12" is hexadecimal
    EXPECT_EQ(combo.FontColor.Left, -1);  // not an integer, missing in EDIT too
    EXPECT_TRUE(combo.ShowFocus);         // "?" counts as missing
    EXPECT_EQ(combo.Transparency, 16);
    EXPECT_EQ(combo.GradientData(), "1;2;3;4;5");
    ASSERT_EQ(combo.Gradient().size(), 1u);
    EXPECT_EQ(combo.GlowSize, 300 % 256); // kept in 8 bits
    EXPECT_EQ(Section(skin.Tables, "SELF").Color, 0xFFFFFF);
    for (const char* name : {"LOOPA", "LOOPB", "LOOPC"})
        EXPECT_EQ(Section(skin.Tables, name).GlowCount, 3) << name; // found before the loop closes
    EXPECT_EQ(Section(skin.Tables, "ORPHAN").Color, 0xFFFFFF);
    EXPECT_EQ(Section(skin.Tables, "QUESTION").Color, 0xFFFFFF);
    EXPECT_EQ(Section(skin.Tables, "LOOPA").FadingIterations, 5); // missing all round the loop
}

TEST(SkinSections, ARepeatedHeaderGivesARecordOfItsOwnAndLookupsFindTheFirst) {
    const LoadedSkin skin = LoadTestSkin("[A]\r\nCOLOR=1\r\nGLYPHMASK=@0001@0001@0002@0002@1@0\r\n"
                                         "[B]\r\nPARENTCLASS=A\r\n"
                                         "[A]\r\nCOLOR=2\r\nGLYPHMASK=@0003@0003@0004@0004@1@0\r\n");
    const SkinTables& t = skin.Tables;
    ASSERT_EQ(t.GeneralData.size(), 3u);
    EXPECT_EQ(t.FindSection("A"), 0);
    EXPECT_EQ(t.GeneralData[2].SectionName, "A");
    EXPECT_EQ(t.GeneralData[2].Color, 2);
    EXPECT_EQ(Section(t, "B").Color, 1); // the parent is the first A
    ASSERT_EQ(t.Masks.size(), 2u);
    EXPECT_EQ(Section(t, "B").Mask(SectionMask::GlyphMask), 0);
    EXPECT_EQ(t.GeneralData[2].Mask(SectionMask::GlyphMask), 0); // masks are found by name: the first
}

TEST(SkinSections, SystemColoursAreConvertedOnlyWhereTheValueIsAColourToPaint) {
    const LoadedSkin skin = LoadTestSkin("[A]\r\nCOLOR=-16777201\r\nHGCOL=$FF000005\r\nGCOL=-16777208\r\n"
                                         "HOTCOLOR=-16777201\r\nFONTCOLOR=-16777208\r\n");
    const TsGeneralData& a = Section(skin.Tables, "A");
    EXPECT_EQ(a.Color, 0xF0F0F0);        // COLOR_BTNFACE
    EXPECT_EQ(a.HotGlowColor, 0xFFFFFF); // COLOR_WINDOW
    EXPECT_EQ(a.GlowColor, 0);           // COLOR_WINDOWTEXT
    EXPECT_EQ(a.HotColor, -16777201);    // kept as written
    EXPECT_EQ(a.FontColor.Color, -16777208);
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(ColorToRGB(-16777203), 0xD77800);                      // COLOR_HIGHLIGHT, 00BBGGRR
    EXPECT_EQ(ColorToRGB(static_cast<std::int32_t>(0xFF0000C8)), 0); // no such index
}

TEST(SkinGradients, ReadFiveWordsPerStep) {
    const struct {
        const char* value;
        std::vector<std::array<int, 4>> steps;
    } cases[] = {
        {"15128513;15525597;99;0;0;15525597;15525597;0;0;0",
         {{15128513, 15525597, 99, 0}, {15525597, 15525597, 0, 0}}},
        {"-5;7;150;1;9;1;2;3", {{0, 7, 100, 1}}},
        {"1;2;-3;1;0", {{1, 2, 0, 1}}},
        {"a;b;c;d;e", {{0, 0, 0, 0}}},
        {"", {}},
        {";;;1;2;3;4;5", {{1, 2, 3, 4}}},
    };
    for (const auto& c : cases) {
        const TsGradArray steps = ParseGradient(c.value);
        std::vector<std::array<int, 4>> got;
        for (const TsGradPie& s : steps)
            got.push_back({s.Color1, s.Color2, s.Percent, s.Mode});
        EXPECT_EQ(got, c.steps) << c.value;
    }
}

TEST(SkinGlobalInfo, ValuesDefaultsAndStrictIntegers) {
    const TsSkinData none = LoadTestSkin("[A]\r\n").Tables.SkinData;
    EXPECT_EQ(none.Version, 0);
    EXPECT_EQ(none.BorderWidth, 4);
    EXPECT_EQ(none.TitleHeight, 30);
    EXPECT_EQ(none.FormOffset, 8);
    EXPECT_EQ(none.Shadow1Blur, -1);
    const TsSkinData set = LoadTestSkin("[GLOBALINFO]\r\nVERSION=6.5\r\nAUTHOR=Me\r\nTITLEHEIGHT=junk\r\n"
                                        "BORDERWIDTH=$10\r\nSHADOW1BLUR= 3\r\nBICONMAXGLOWMARGIN=-2\r\n")
                               .Tables.SkinData;
    EXPECT_DOUBLE_EQ(set.Version, 6.5);
    EXPECT_EQ(set.Author, "Me");
    EXPECT_EQ(set.TitleHeight, 30); // not an integer: default
    EXPECT_EQ(set.BorderWidth, 16);
    EXPECT_EQ(set.Shadow1Blur, 3);
    EXPECT_EQ(set.BIMaxGlowMargin, -2);
    for (const char* key :
         {"SHADOW1OFFSET", "SHADOW1BLUR", "SHADOW1TRANSPARENCY", "BICONCLOSEGLOW", "BICONMINGLOWMARGIN"})
        EXPECT_THROW(LoadTestSkin("[GLOBALINFO]\r\n" + std::string(key) + "=1.5\r\n"), EConvertError) << key;
    EXPECT_DOUBLE_EQ(ParseSkinVersion("6.4"), 6.4);
    EXPECT_EQ(ParseSkinVersion("6,4"), 0);
}

TEST(SkinGlobalInfo, TheVersionIsKeptAsWrittenBesideItsNumber) {
    const struct {
        const char* text;
        double number;
    } cases[] = {{"6.5", 6.5}, {"6.40", 6.4}, {"abc", 0}, {"7.0x", 0}, {"inf", 0}, {"nan", 0}, {"", 0}};
    for (const auto& c : cases) {
        const LoadedSkin skin = LoadTestSkin("[GLOBALINFO]\r\nVERSION=" + std::string(c.text) + "\r\n");
        EXPECT_EQ(skin.Tables.SkinData.VersionText, c.text);
        EXPECT_DOUBLE_EQ(skin.Tables.SkinData.Version, c.number) << c.text;
        EXPECT_EQ(skin.Messages, 0) << c.text; // a text that is no number is no newer skin
    }
}

TEST(SkinGlobalInfo, VersionAboveSixPointNineNineShowsTheMessageOncePerLoad) {
    const struct {
        const char* version;
        int messages;
    } cases[] = {{"7.0", 1}, {"6.99", 0}, {"6.991", 1}, {"6.5", 0}, {"", 0}};
    for (const auto& c : cases) {
        const std::string options = "[GLOBALINFO]\r\nVERSION=" + std::string(c.version) + "\r\n[FORM]\r\n";
        EXPECT_EQ(LoadTestSkin(options).Messages, c.messages) << c.version;
    }
    std::string message;
    const std::vector<std::uint8_t> package = TestPackage("[GLOBALINFO]\r\nVERSION=7.0\r\n");
    const SkinTables tables =
        *LoadSkinPackage(package, [&message](const std::string& text) { message = text; });
    EXPECT_EQ(message,
              "This version of the skin have not complete support by used Zentrile package release.\r\n"
              "Components must be updated up to latest version for using this skin.");
    EXPECT_EQ(tables.GeneralData.size(), 1u); // and the skin is used
}

TEST(SkinLookups, MasksTexturesAndPatternsFallBackToParents) {
    const LoadedSkin skin =
        LoadTestSkin("[EDIT]\r\nBORDERSMASK=@0001@0001@0010@0010@1@0\r\nPATTERN=~0000~0000~0010~0010~00\r\n"
                     "BIG=BKGND.JPG\r\n"
                     "[COMBOBOX]\r\nPARENTCLASS=EDIT\r\nGLYPHMASK=@0002@0002@0010@0010@1@0\r\n"
                     "[A]\r\nPARENTCLASS=B\r\n[B]\r\nPARENTCLASS=A\r\n[SELF]\r\nPARENTCLASS=SELF\r\n",
                     {{"BKGND.JPG", TestJpeg(300, 300)}});
    const SkinTables& t = skin.Tables;
    const int combo = t.FindSection("COMBOBOX");
    EXPECT_EQ(t.FindSection("combobox"), -1); // exact comparison
    EXPECT_EQ(t.FindMask(combo, "COMBOBOX", "GLYPHMASK"), 2);
    EXPECT_EQ(t.FindMask(combo, "COMBOBOX", "BORDERSMASK"), 0);
    EXPECT_EQ(t.FindTexture(combo, "COMBOBOX", "PATTERN"), 1);
    EXPECT_EQ(t.FindTexture(combo, "COMBOBOX", "BORDERSMASK"), -1); // a glyph is no texture
    EXPECT_EQ(t.FindPattern(combo, "COMBOBOX", "BIG"), 0);
    EXPECT_EQ(t.FindMask(-1, "COMBOBOX", "GLYPHMASK"), -1);
    EXPECT_EQ(t.FindMask(combo, "", "GLYPHMASK"), -1);
    EXPECT_EQ(t.FindMask(99, "COMBOBOX", "GLYPHMASK"), -1);
    EXPECT_EQ(t.FindMask(t.FindSection("A"), "A", "GLYPHMASK"), -1); // a loop ends
    EXPECT_EQ(t.FindMask(t.FindSection("SELF"), "SELF", "GLYPHMASK"), -1);
}
