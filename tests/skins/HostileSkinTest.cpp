// Valid but hostile skins: each load must end, with tables or with a clear load error, within
// the test's CTest timeout. The time and memory each one takes are measured by
// bench/SkinHostileBench.
#include "ChildRun.h"
#include "HostileSkins.h"
#include "SkinIni.h"
#include "SkinLoader.h"
#include "SkinPictureSource.h"
#include "SkinTestPictures.h"
#include "TempDir.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
        {"130,000 empty entries (what holding an entry costs counts)", [] { return TinyEntriesSkin(130000); },
         "Skin is too large: its entries unpack to more than 33554432 bytes"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadError(c.make()), c.error) << c.what;
}

TEST(HostileSkins, SkinsWithinTheBudgetsLoad) {
    EXPECT_EQ(Load(LargeJpegSkin(1))->Patterns.size(), 1u);
    EXPECT_EQ(Load(ProgressiveJpegSkin(1, 4))->Patterns.size(), 1u); // 30 scans
    EXPECT_EQ(Load(WholeMasterMasksSkin(2))->Masks.size(), 2u);
}

// libpng would inflate and keep every text chunk before the image data (up to 1,000 of 8 MB,
// and an allocation that fails only drops a chunk): a 1 x 1 glow carrying 200 of them (1.7 MB
// packed, 1.4 GB inflated) must load in the memory a small skin takes.
TEST(HostileSkins, TextChunksOfAPngAreSkippedUnread) {
    const std::vector<std::uint8_t> package = PngTextChunksSkin(200);
    const ChildRun run = RunInChild(
        [&package] {
            const SkinTablesPtr tables = LoadSkinPackage(package, nullptr);
            return "loaded, " + std::to_string(tables->Masks.size()) + " mask";
        },
        50);
    EXPECT_FALSE(run.TimedOut);
    EXPECT_FALSE(run.Crashed);
    EXPECT_EQ(run.Outcome, "loaded, 1 mask");
    EXPECT_LT(run.PeakMb, 256) << "the text chunks were inflated and kept";
}

// Files of a skin are read only as regular files, looked at once they are open: a FIFO (or a
// file swapped for one after a check) is refused at once instead of waiting for a writer.
TEST(HostileSkins, AFifoIsRefusedWithoutWaitingForAWriter) {
    TTempDir folder;
    const std::string fifo = folder.File("OPTIONS.DAT");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const ChildRun run = RunInChild(
        [&fifo] {
            ReadWholeFile(fifo, 1 << 20);
            return std::string("read");
        },
        10);
    EXPECT_FALSE(run.TimedOut) << "the read waited for a writer";
    EXPECT_EQ(run.Outcome, "error: Cannot open file \"" + fifo + "\"");
}

// A picture of a skin folder is a file in that folder: names that are paths out of it count as
// missing pictures, and nothing outside the folder is read.
TEST(HostileSkins, PictureNamesDoNotReachOutsideTheSkinFolder) {
    TTempDir base;
    std::filesystem::create_directories(base.File("Skin"));
    std::filesystem::create_directories(base.File("Elsewhere"));
    const auto write = [](const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    };
    write(base.File("Elsewhere/PRIVATE.BMP"), TestBitmap(16, 16, 24));
    write(base.File("Skin/OWN.BMP"), TestBitmap(16, 16, 24));
    const std::string options = "[GLOBALINFO]\r\nMASTERBITMAP=../Elsewhere/PRIVATE.BMP\r\n"
                                "[FORM]\r\nBORDERSMASK=!../Elsewhere/PRIVATE.BMP!1!0!0\r\n"
                                "[EDIT]\r\nBORDERSMASK=!" + base.File("Elsewhere/PRIVATE.BMP") + "!1!0!0\r\n"
                                "[BUTTON]\r\nBORDERSMASK=!own.BMP!1!0!0\r\n";
    write(base.File("Skin/Options.dat"), std::vector<std::uint8_t>(options.begin(), options.end()));
    const SkinTablesPtr tables = LoadSkinFolder(base.File("Skin") + "/", nullptr);
    EXPECT_TRUE(tables->MasterBitmap.isNull()) << "the master picture was read from outside the folder";
    ASSERT_EQ(tables->Masks.size(), 1u) << "only the folder's own picture, found in another letter case";
    EXPECT_EQ(tables->Masks[0].Image.width(), 16);
}
