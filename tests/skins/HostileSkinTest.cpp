// Valid but hostile skins: each load must end, with tables or with a clear load error, within
// the test's CTest timeout. The time and memory each one takes are measured by
// bench/SkinHostileBench.
#include "HostileSkins.h"
#include "SkinIni.h"
#include "SkinLoader.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

SkinTablesPtr Load(const std::vector<std::uint8_t>& package) {
    return LoadSkinPackage(package, nullptr);
}

std::string LoadError(const std::vector<std::uint8_t>& package) {
    try {
        Load(package);
    } catch (const Exception& error) {
        return error.Message;
    }
    return "(loaded)";
}

const TsGeneralData& Section(const SkinTables& tables, const std::string& name) {
    return tables.GeneralData.at(static_cast<std::size_t>(tables.FindSection(name)));
}

} // namespace

TEST(HostileSkins, ALongParentChainLoadsWithEveryValueAndMaskInherited) {
    const int count = 10000;
    const SkinTablesPtr tables = Load(ParentChainSkin(count));
    ASSERT_EQ(tables->GeneralData.size(), std::size_t(count));
    const TsGeneralData& first = Section(*tables, ChainSectionName(0));
    const TsGeneralData& last = Section(*tables, ChainSectionName(count - 1));
    EXPECT_EQ(first.Color, 255);
    EXPECT_EQ(&first.Gradient(), &last.Gradient()); // one parsed gradient for the whole chain
    EXPECT_EQ(first.Mask(SectionMask::BordersMask), 0);
    EXPECT_EQ(tables->FindMask(0, first.SectionName, "BORDERSMASK"), 0);
    EXPECT_EQ(tables->FindMask(0, first.SectionName, "NOSUCHMASK"), -1); // walks the whole chain once
    EXPECT_EQ(first.ParentIndex, 1);
}

TEST(HostileSkins, KeysThatDifferOnlyInBitFiveAreDistinctKeys) {
    TacSkinConvertor package;
    package.ReadPackage(CollidingKeysSkin(65536));
    const SkinIni ini(package.Options);
    ASSERT_EQ(ini.Sections().size(), 1u);
    EXPECT_EQ(ini.Sections()[0].Keys.size(), 65536u);
    EXPECT_NE(ini.Find("FORM", "@@@@@@@@@@@@@@@`"), nullptr);
    EXPECT_EQ(ini.Find("FORM", "@@@@@@@@@@@@@@@~"), nullptr);
    EXPECT_NO_THROW(Load(CollidingKeysSkin(65536)));
}

TEST(HostileSkins, AnInheritedGradientIsParsedOnceAndShared) {
    const SkinTablesPtr tables = Load(InheritedGradientSkin(500, 1 << 20));
    const TsGeneralData& base = Section(*tables, "BASE");
    EXPECT_GT(base.Gradient().size(), 50000u);
    for (const char* child : {"CHILD0", "CHILD499"}) {
        EXPECT_EQ(&Section(*tables, child).Gradient(), &base.Gradient()) << child;
        EXPECT_EQ(&Section(*tables, child).GradientData(), &base.GradientData()) << child;
    }
}

TEST(HostileSkins, SkinsBeyondABudgetAreLoadErrors) {
    const struct {
        const char* what;
        std::function<std::vector<std::uint8_t>()> make;
        const char* error;
    } cases[] = {
        {"246 scans", [] { return ProgressiveJpegSkin(6, 40); },
         "JPEG picture is not valid: it has more than 32 scans"},
        {"six 4096 x 4096 patterns", [] { return LargeJpegSkin(6); },
         "Skin is too large: its pictures hold more than 16777216 pixels"},
        {"eight 64 MiB entries", [] { return HugeEntriesSkin(); },
         "Skin is too large: its entries unpack to more than 33554432 bytes"},
        {"masks cutting a 2048 x 2048 master four times", [] { return WholeMasterMasksSkin(4); },
         "Skin is too large: its pictures hold more than 16777216 pixels"},
        {"262,145 keys", [] { return CollidingKeysSkin(262145); },
         "Skin INI is too large: it holds more than 262144 sections and keys"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadError(c.make()), c.error) << c.what;
}

TEST(HostileSkins, SkinsWithinTheBudgetsLoad) {
    EXPECT_EQ(Load(LargeJpegSkin(1))->Patterns.size(), 1u);
    EXPECT_EQ(Load(ProgressiveJpegSkin(1, 4))->Patterns.size(), 1u); // 30 scans
    EXPECT_EQ(Load(WholeMasterMasksSkin(2))->Masks.size(), 2u);
}
