// The five built-in skins as the program carries them: their names and order, every package
// entry with its picture size and depth, the Options.dat texts (version, sections, the fixed
// values) and loading into the tables with every section and mask the window and dialogs use.
#include "BuiltInSkinsFixture.h"
#include "SkinTables.h"

#include <QFile>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

namespace {

std::uint32_t Little32(const std::vector<std::uint8_t>& d, std::size_t at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | std::uint32_t(d[at + 3]) << 24;
}

std::uint32_t Big32(const std::vector<std::uint8_t>& d, std::size_t at) {
    return std::uint32_t(d[at]) << 24 | d[at + 1] << 16 | d[at + 2] << 8 | d[at + 3];
}

struct PictureFacts {
    int Width = 0;
    int Height = 0;
    int Bits = 0;
    bool Ok = false; // the format's own details are right (baseline, not interlaced, RGBA)
};

PictureFacts BitmapFacts(const std::vector<std::uint8_t>& d) {
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M')
        return {};
    return {int(Little32(d, 18)), int(Little32(d, 22)), d[28] | d[29] << 8, Little32(d, 30) == 0};
}

PictureFacts PngFacts(const std::vector<std::uint8_t>& d) {
    static const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (d.size() < 33 || !std::equal(std::begin(signature), std::end(signature), d.begin()) ||
        std::string(d.begin() + 12, d.begin() + 16) != "IHDR")
        return {};
    const bool rgba = d[25] == 6, notInterlaced = d[28] == 0;
    return {int(Big32(d, 16)), int(Big32(d, 20)), d[24], rgba && notInterlaced};
}

// Walks the JPEG markers to the frame header; only a baseline frame (SOF0) is right.
PictureFacts JpegFacts(const std::vector<std::uint8_t>& d) {
    std::size_t at = 2;
    while (at + 9 < d.size() && d[at] == 0xFF) {
        const int marker = d[at + 1];
        const std::size_t length = d[at + 2] << 8 | d[at + 3];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return {d[at + 7] << 8 | d[at + 8], d[at + 5] << 8 | d[at + 6], d[at + 9] * d[at + 4],
                    marker == 0xC0};
        at += 2 + length;
    }
    return {};
}

const std::vector<std::uint8_t>& EntryData(const LoadedBuiltInSkin& skin, const std::string& name) {
    static const std::vector<std::uint8_t> none;
    for (const TacImageItem& item : skin.Package.Images)
        if (item.Name == name)
            return item.Data;
    return none;
}

// Reads the package's entry table directly: names and unpacked sizes in stored order.
std::vector<std::pair<std::string, std::uint32_t>> EntryTable(const LoadedBuiltInSkin& skin) {
    std::vector<std::pair<std::string, std::uint32_t>> table;
    table.emplace_back("Options.dat", std::uint32_t(skin.Package.Options.size()));
    for (const TacImageItem& item : skin.Package.Images)
        table.emplace_back(item.Name, std::uint32_t(item.Data.size()));
    return table;
}

std::string NameOfEntry(const std::vector<std::uint8_t>& bytes, std::size_t& at) {
    const std::uint32_t length = Little32(bytes, at);
    std::string name(bytes.begin() + at + 4, bytes.begin() + at + 4 + length);
    at += 4 + length;
    return name;
}

const SkinIniSection& SectionOf(const LoadedBuiltInSkin& skin, const std::string& name) {
    const SkinIniSection* section = skin.Ini.FindSection(name);
    if (section == nullptr)
        throw std::runtime_error("no section " + name);
    return *section;
}

std::vector<std::string> KeyNames(const SkinIniSection& section) {
    std::vector<std::string> names;
    for (const SkinIniKey& key : section.Keys)
        names.push_back(key.Name);
    return names;
}

std::string Value(const LoadedBuiltInSkin& skin, const std::string& section, const std::string& key) {
    const std::string* value = skin.Ini.Find(section, key);
    return value != nullptr ? *value : "(missing)";
}

} // namespace

TEST(BuiltInSkins, TheProgramCarriesTheFiveCommittedPackagesInTheStoredOrder) {
    const std::vector<std::string> names = {"DarkGlass (internal)", "LongHorn (internal)",
                                            "Neutral2 (internal)", "NextAlpha (internal)",
                                            "BluePlastic (internal)"};
    ASSERT_EQ(BuiltInSkinPackages().size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const BuiltInSkinPackage& skin = BuiltInSkinPackages()[i];
        EXPECT_EQ(skin.Name, names[i]);
        EXPECT_EQ(std::string(skin.ResourcePath), ":/morvane/skins/" + std::string(ExpectedSkins()[i].File));
        QFile committed(
            QString::fromStdString(std::string(MORVANE_RESOURCES_DIR) + "/skins/" + ExpectedSkins()[i].File));
        ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << ExpectedSkins()[i].File;
        EXPECT_EQ(BuiltInSkinPackageData(skin), committed.readAll()) << skin.Name;
    }
    EXPECT_TRUE(
        BuiltInSkinPackageData(BuiltInSkinPackage{"missing", ":/morvane/skins/Missing.ktz"}).isEmpty());
}

TEST(BuiltInSkins, EntriesPictureSizesAndDepthsAreThoseOfTheTable) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        SCOPED_TRACE(expected.Name);
        const LoadedBuiltInSkin& skin = LoadBuiltInSkin(expected);
        ASSERT_EQ(std::string(skin.Bytes.begin(), skin.Bytes.begin() + 4), "KTzf");
        ASSERT_EQ(Little32(skin.Bytes, 4), expected.Entries.size());
        std::size_t at = 8;
        EXPECT_EQ(NameOfEntry(skin.Bytes, at), "Options.dat"); // first, as stored
        EXPECT_EQ(skin.Bytes[at + 4], 0x78);                   // the default zlib header
        EXPECT_EQ(skin.Bytes[at + 5], 0x9C);
        const auto table = EntryTable(skin);
        ASSERT_EQ(table.size(), expected.Entries.size());
        for (std::size_t i = 0; i < expected.Entries.size(); ++i) {
            const ExpectedEntry& entry = expected.Entries[i];
            SCOPED_TRACE(entry.Name);
            EXPECT_EQ(table[i].first, entry.Name);
            if (entry.Unpacked != 0)
                EXPECT_EQ(table[i].second, entry.Unpacked);
            if (entry.Format == PictureFormat::Text)
                continue;
            const std::vector<std::uint8_t>& data = EntryData(skin, entry.Name);
            const PictureFacts facts = entry.Format == PictureFormat::Bitmap ? BitmapFacts(data)
                                       : entry.Format == PictureFormat::Png  ? PngFacts(data)
                                                                             : JpegFacts(data);
            EXPECT_EQ(facts.Width, entry.Width);
            EXPECT_EQ(facts.Height, entry.Height);
            EXPECT_EQ(facts.Bits, entry.Bits);
            EXPECT_TRUE(facts.Ok);
        }
    }
}

TEST(BuiltInSkins, TextsHaveTheirVersionSectionCountAndUpperCaseNames) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        SCOPED_TRACE(expected.Name);
        const LoadedBuiltInSkin& skin = LoadBuiltInSkin(expected);
        EXPECT_EQ(Value(skin, "GLOBALINFO", "VERSION"), expected.Version);
        EXPECT_EQ(skin.Ini.Sections().size(), std::size_t(expected.Sections));
        EXPECT_EQ(skin.Tables->GeneralData.size(), std::size_t(expected.Sections));
        EXPECT_EQ(skin.Tables->SkinData.Version, std::stod(expected.Version));
        for (const SkinIniSection& section : skin.Ini.Sections()) {
            const auto upper = [](const std::string& text) {
                return std::none_of(text.begin(), text.end(),
                                    [](unsigned char c) { return std::islower(c); });
            };
            EXPECT_TRUE(upper(section.Name)) << section.Name;
            for (const SkinIniKey& key : section.Keys) {
                EXPECT_TRUE(upper(key.Name)) << section.Name << "." << key.Name;
                EXPECT_TRUE(upper(key.Value) || key.Value.find('.') == std::string::npos)
                    << "file names in upper case: " << key.Value;
            }
        }
        EXPECT_EQ(skin.Package.Options.find('\n'), skin.Package.Options.find("\r\n") + 1) << "CR LF lines";
    }
}

TEST(BuiltInSkins, EverySectionTheWindowTheDialogsAndThePainterUseIsThere) {
    const char* const required[] = {
        // the main window and its dialogs
        "GLOBALINFO", "FORM", "FORMTITLE", "DIALOG", "SPEEDBUTTON", "COMBOBOX", "EDIT", "GAUGE", "PROGRESSH",
        "STATUSBAR", "HINT", "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V", "SCROLLBTNTOP",
        "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLSLIDERH", "SCROLLSLIDERV",
        // the painter's agreement with the artwork
        "COMBOBTN", "BUTTON", "BUTTON_HUGE", "SELECTION", "COLHEADER", "TOOLBUTTON", "CHECKBOX", "MAINMENU",
        "MENUITEM", "MENULINE", "PAGECONTROL", "TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT", "GROUPBOX",
        "PANEL"};
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const SkinTables& t = *LoadBuiltInSkin(expected).Tables;
        for (const char* name : required)
            EXPECT_GE(t.FindSection(name), 0) << expected.Name << " " << name;
    }
}

TEST(BuiltInSkins, QuotedValuesAreThereVerbatim) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        SCOPED_TRACE(expected.Name);
        const LoadedBuiltInSkin& skin = LoadBuiltInSkin(expected);
        EXPECT_EQ(Value(skin, "GLOBALINFO", "MASTERBITMAP"), "MASTER.BMP");
        EXPECT_EQ(Value(skin, "BUTTON_HUGE", "BORDERSMASK"), "!BUTTONHUGE.BMP!3!1!0");
    }
    const LoadedBuiltInSkin& next = LoadBuiltInSkin(ExpectedSkins()[3]);
    EXPECT_EQ(Value(next, "GLOBALINFO", "BICONCLOSEGLOW0"), "!GLOWRED.PNG!1!0!4");
    EXPECT_EQ(Value(next, "GLOBALINFO", "BICONMAXGLOW0"), "!GLOWBLUE.PNG!1!0!4");
    EXPECT_EQ(Value(next, "GLOBALINFO", "BICONMINGLOW0"), "!GLOWYELLOW.PNG!1!0!4");
    const SkinIniSection& gauge = SectionOf(next, "GAUGE");
    EXPECT_EQ(KeyNames(gauge), (std::vector<std::string>{"BORDERSMASK", "GRADIENTDATA", "GRADIENTPERCENT"}));
    EXPECT_EQ(Value(next, "GAUGE", "BORDERSMASK"), "^0195^0213^0210^0228^0003^0003^0003^0003^1^0^5^1");
    EXPECT_EQ(Value(next, "GAUGE", "GRADIENTDATA"), "15128513;15525597;99;0;0;15525597;15525597;0;0;0");
    EXPECT_EQ(Value(next, "GAUGE", "GRADIENTPERCENT"), "100");
    EXPECT_EQ(KeyNames(SectionOf(next, "PROGRESSH")),
              (std::vector<std::string>{"BORDERSMASK", "GRADIENTDATA", "HOTGRADIENTDATA", "GRADIENTPERCENT",
                                        "HOTGRADIENTPERCENT", "LRGN"}));
    EXPECT_EQ(Value(next, "PROGRESSH", "BORDERSMASK"), "^0135^0135^0159^0150^0000^0000^0000^0000^1^0^1^2");
    EXPECT_EQ(Value(next, "PROGRESSH", "GRADIENTDATA"), "40940;8454143;99;0;0;8454143;8454143;0;0;0");
    EXPECT_EQ(Value(next, "PROGRESSH", "HOTGRADIENTDATA"), "40940;8454143;99;0;0;8454143;8454143;0;0;0");
    EXPECT_EQ(Value(next, "PROGRESSH", "GRADIENTPERCENT"), "100");
    EXPECT_EQ(Value(next, "PROGRESSH", "HOTGRADIENTPERCENT"), "100");
    EXPECT_EQ(Value(next, "PROGRESSH", "LRGN"), "^0081^0073^0096^0088^0005^0005^0005^0005^1^0^5^1");
    EXPECT_EQ(KeyNames(SectionOf(next, "COMBOBOX")),
              (std::vector<std::string>{"GLYPHMASK", "PARENTCLASS", "SHOWFOCUS"}));
    EXPECT_EQ(Value(next, "COMBOBOX", "PARENTCLASS"), "EDIT");
    EXPECT_EQ(Value(next, "COMBOBOX", "SHOWFOCUS"), "TRUE");

    const LoadedBuiltInSkin& dark = LoadBuiltInSkin(ExpectedSkins()[0]);
    int patterned = 0;
    for (const SkinIniSection& section : dark.Ini.Sections())
        if (section.Find("PATTERN") != nullptr && *section.Find("PATTERN") == "BKGND.JPG" &&
            section.Find("HOTPATTERN") != nullptr && *section.Find("HOTPATTERN") == "BKGND.JPG")
            ++patterned;
    EXPECT_EQ(Value(dark, "FORM", "PATTERN"), "BKGND.JPG");
    EXPECT_EQ(Value(dark, "DIALOG", "HOTPATTERN"), "BKGND.JPG");
    EXPECT_GE(patterned, 4);
}

// Ten GLOBALINFO keys of BluePlastic come again after their complete forms, broken over two
// lines; the reader keeps the first, complete value.
TEST(BuiltInSkins, BluePlasticRepeatsTenGlyphKeysBrokenOverTwoLines) {
    const LoadedBuiltInSkin& blue = LoadBuiltInSkin(ExpectedSkins()[4]);
    const std::string& text = blue.Package.Options;
    const std::string global = text.substr(0, text.find("\r\n[", 1));
    int broken = 0;
    for (const SkinIniKey& key : SectionOf(blue, "GLOBALINFO").Keys) {
        const std::string split = "\r\n" + key.Name + "\r\n=" + key.Value + "\r\n";
        const std::size_t whole = global.find("\r\n" + key.Name + "=" + key.Value + "\r\n");
        const std::size_t again = global.find(split);
        if (again != std::string::npos) {
            ++broken;
            EXPECT_LT(whole, again) << key.Name;
        }
    }
    EXPECT_EQ(broken, 10);
    for (int other : {0, 1, 2, 3}) {
        const std::string& options = LoadBuiltInSkin(ExpectedSkins()[other]).Package.Options;
        EXPECT_EQ(options.find("\r\n="), std::string::npos);
    }
}

// Every picture reference is on the master image ("@", "^", "~"), except the few that name a
// picture of their own.
TEST(BuiltInSkins, ImageReferencesUseTheMasterImageFormsExceptTheNamedPictures) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const LoadedBuiltInSkin& skin = LoadBuiltInSkin(expected);
        for (const SkinIniSection& section : skin.Ini.Sections())
            for (const SkinIniKey& key : section.Keys) {
                const std::string& v = key.Value;
                const std::string where =
                    std::string(expected.Name) + " " + section.Name + "." + key.Name + "=" + v;
                if (v.empty() || v[0] == '@' || v[0] == '^' || v[0] == '~')
                    continue;
                if (v[0] == '!') {
                    const bool huge = section.Name == "BUTTON_HUGE" && v == "!BUTTONHUGE.BMP!3!1!0";
                    const bool glow = std::string(expected.Name) == "NextAlpha" &&
                                      section.Name == "GLOBALINFO" && key.Name.size() > 5 &&
                                      key.Name.substr(key.Name.size() - 5) == "GLOW0";
                    EXPECT_TRUE(huge || glow) << where;
                } else if (v.find(".JPG") != std::string::npos) {
                    EXPECT_TRUE(std::string(expected.Name) == "DarkGlass" && v == "BKGND.JPG") << where;
                } else {
                    EXPECT_EQ(v.find(".BMP") != std::string::npos, key.Name == "MASTERBITMAP") << where;
                    EXPECT_EQ(v.find('#'), std::string::npos) << where;
                }
            }
    }
}

namespace {

struct MaskUse {
    const char* Section;
    const char* Key;
    int Columns; // at least
};

// Masks the painter draws the window and the dialogs with (see skins/README.md).
const MaskUse PainterMasks[] = {
    {"FORM", "BORDERSMASK", 2},
    {"FORMTITLE", "BORDERSMASK", 2},
    {"SPEEDBUTTON", "BORDERSMASK", 5},
    {"BUTTON", "BORDERSMASK", 5},
    {"BUTTON_HUGE", "BORDERSMASK", 3},
    {"COMBOBTN", "BORDERSMASK", 3},
    {"COMBOBOX", "GLYPHMASK", 4},
    {"EDIT", "BORDERSMASK", 4},
    {"SELECTION", "BORDERSMASK", 2},
    {"SCROLLSLIDERH", "BORDERSMASK", 3},
    {"SCROLLSLIDERH", "GLYPHMASK", 3},
    {"SCROLLSLIDERV", "BORDERSMASK", 3},
    {"SCROLLSLIDERV", "GLYPHMASK", 3},
    {"SCROLLBTNTOP", "BORDERSMASK", 4},
    {"SCROLLBTNTOP", "GLYPHMASK", 4},
    {"SCROLLBTNBOTTOM", "GLYPHMASK", 4},
    {"SCROLLBTNLEFT", "GLYPHMASK", 4},
    {"SCROLLBTNRIGHT", "GLYPHMASK", 4},
    {"SCROLLBTNBOTTOM", "BORDERSMASK", 4},
    {"SCROLLBAR1H", "BORDERSMASK", 1},
    {"SCROLLBAR2V", "BORDERSMASK", 1},
    {"GAUGE", "BORDERSMASK", 1},
    {"PROGRESSH", "BORDERSMASK", 1},
    {"STATUSBAR", "BORDERSMASK", 1},
    {"HINT", "BORDERSMASK", 1},
    {"COLHEADER", "BORDERSMASK", 3},
    {"TOOLBUTTON", "BORDERSMASK", 3},
    {"MAINMENU", "BORDERSMASK", 1},
    {"MENUITEM", "BORDERSMASK", 2},
    {"MENULINE", "BORDERSMASK", 1},
    {"PAGECONTROL", "BORDERSMASK", 1},
    {"TABTOP", "BORDERSMASK", 3},
    {"TABBOTTOM", "BORDERSMASK", 3},
    {"TABLEFT", "BORDERSMASK", 3},
    {"TABRIGHT", "BORDERSMASK", 3},
    {"GROUPBOX", "BORDERSMASK", 1},
    {"GLOBALINFO", "BICONCLOSE", 3},
    {"GLOBALINFO", "BICONMIN", 3},
    {"GLOBALINFO", "BICONMAX", 3},
    {"GLOBALINFO", "BICONNORM", 3},
    {"GLOBALINFO", "BICONHELP", 3},
    {"GLOBALINFO", "SICONCLOSE", 3},
    {"GLOBALINFO", "SICONMIN", 3},
    {"GLOBALINFO", "SICONMAX", 3},
    {"GLOBALINFO", "SICONNORM", 3},
    {"GLOBALINFO", "BOXCHECKED", 4},
    {"GLOBALINFO", "BOXUNCHECKED", 4},
    {"GLOBALINFO", "BOXGRAYED", 4},
    {"GLOBALINFO", "RADIOCHECKED", 4},
    {"GLOBALINFO", "RADIOUNCHECKED", 4},
    {"GLOBALINFO", "RADIOGRAYED", 4},
    {"GLOBALINFO", "SMALLCHECKED", 4},
    {"GLOBALINFO", "SMALLUNCHECKED", 4},
    {"GLOBALINFO", "SMALLGRAYED", 4},
};

} // namespace

TEST(BuiltInSkins, LoadingFindsEveryMaskThePainterUsesWithPixelsAndColumns) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        SCOPED_TRACE(expected.Name);
        const SkinTables& t = *LoadBuiltInSkin(expected).Tables;
        EXPECT_FALSE(t.MasterBitmap.isNull());
        for (const MaskUse& use : PainterMasks) {
            const int section = t.FindSection(use.Section);
            const TsMaskData* mask = t.Mask(t.FindMask(section, use.Section, use.Key));
            ASSERT_NE(mask, nullptr) << use.Section << "." << use.Key;
            EXPECT_FALSE(mask->Picture.isNull()) << use.Section << "." << use.Key;
            EXPECT_GE(mask->ImageCount, use.Columns) << use.Section << "." << use.Key;
        }
        // The cached indexes of each section agree (parents included).
        const TsGeneralData* button = t.Section(t.FindSection("SPEEDBUTTON"));
        EXPECT_GE(button->Mask(SectionMask::BordersMask), 0);
        const TsGeneralData* progress = t.Section(t.FindSection("PROGRESSH"));
        EXPECT_EQ(progress->Mask(SectionMask::Lrgn) >= 0, expected.GlowRegion);
        for (const TsMaskData& mask : t.Masks)
            EXPECT_FALSE(mask.Picture.isNull()) << mask.SectionName << "." << mask.PropertyName;
    }
    const SkinTables& next = *LoadBuiltInSkin(ExpectedSkins()[3]).Tables;
    for (const char* glow : {"BICONCLOSEGLOW0", "BICONMAXGLOW0", "BICONMINGLOW0"}) {
        const TsMaskData* mask = next.Mask(next.FindMask(next.FindSection("GLOBALINFO"), "GLOBALINFO", glow));
        ASSERT_NE(mask, nullptr) << glow;
        EXPECT_EQ(mask->ImgType, TacImgType::itisaPngGlyph);
        EXPECT_EQ(mask->Picture.size(), QSize(36, 34));
    }
    // DarkGlass's grain is small enough to be a texture, so the skin has no pattern at all.
    const SkinTables& dark = *LoadBuiltInSkin(ExpectedSkins()[0]).Tables;
    EXPECT_TRUE(dark.Patterns.empty());
    for (const char* section : {"FORM", "DIALOG"}) {
        const TsGeneralData* s = dark.Section(dark.FindSection(section));
        const TsMaskData* grain = dark.Mask(s->Mask(SectionMask::Texture));
        ASSERT_NE(grain, nullptr) << section;
        EXPECT_EQ(grain->Picture.size(), QSize(256, 256));
        EXPECT_GE(s->Mask(SectionMask::HotTexture), 0);
    }
}
