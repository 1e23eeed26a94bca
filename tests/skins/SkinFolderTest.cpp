// A skin folder (Options.dat and loose files) loads through the same code as a package.
#include "SkinLoadFixture.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const char* const Options =
    "[GLOBALINFO]\r\nVERSION=7.0\r\nMASTERBITMAP=MASTER.BMP\r\n"
    "[BUTTON_HUGE]\r\nBORDERSMASK=!BUTTONHUGE.BMP!3!1!0\r\n"
    "[FORM]\r\nPATTERN=BKGND.JPG\r\nGLOW=!GLOWRED.PNG!1!0!4\r\nIMG=BUTTONHUGE.BMP\r\n";

class SkinFolder : public ::testing::Test {
protected:
    void SetUp() override {
        Folder =
            std::filesystem::temp_directory_path() / ("morvane-skin-folder-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Folder);
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }
    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream file(Folder / name, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::string Path() const { return Folder.string() + "/"; }

    std::filesystem::path Folder;
};

} // namespace

TEST_F(SkinFolder, LoadsTheSameTablesAsThePackageOfTheSameFiles) {
    const std::vector<PackageEntry> pictures{{"Master.bmp", TestBitmap(210, 300, 24)},
                                             {"ButtonHuge.bmp", TestBitmap(288, 192, 8)},
                                             {"GlowRed.png", TestPng(36, 34)},
                                             {"Bkgnd.jpg", TestJpeg(300, 300, true)}};
    Write("Options.dat", Bytes(Options));
    for (const PackageEntry& picture : pictures)
        Write(picture.Name, picture.Data); // other letter case than the references
    int messages = 0;
    const SkinTables folder = *LoadSkinFolder(Path(), [&messages](const std::string&) { ++messages; });
    const LoadedSkin package = LoadTestSkin(Options, pictures);
    EXPECT_EQ(messages, 1);
    EXPECT_EQ(folder.SkinPath, Path());
    EXPECT_TRUE(package.Tables.SkinPath.empty());
    EXPECT_EQ(folder.MasterBitmap, package.Tables.MasterBitmap);
    ASSERT_EQ(folder.Masks.size(), 3u);
    ASSERT_EQ(folder.Masks.size(), package.Tables.Masks.size());
    for (std::size_t i = 0; i < folder.Masks.size(); ++i) {
        EXPECT_EQ(folder.Masks[i].PropertyName, package.Tables.Masks[i].PropertyName);
        EXPECT_EQ(folder.Masks[i].Image, package.Tables.Masks[i].Image);
        EXPECT_EQ(folder.Masks[i].WL, package.Tables.Masks[i].WL);
    }
    ASSERT_EQ(folder.Patterns.size(), 1u);
    EXPECT_EQ(folder.Patterns[0].Image, package.Tables.Patterns[0].Image);
    EXPECT_EQ(folder.GeneralData.size(), 3u);
}

TEST_F(SkinFolder, WithoutOptionsDatIsALoadError) {
    Write("Master.bmp", TestBitmap(4, 4, 24));
    try {
        LoadSkinFolder(Path(), nullptr);
        FAIL() << "loaded";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, "Skin folder " + Path() + " has no Options.dat");
    }
}

// An Options.dat that describes nothing (empty, blank lines, comments, keys before any section)
// is a load error, from a folder and from a package alike, not a skin that draws nothing.
TEST_F(SkinFolder, AnOptionsDatWithoutASectionIsALoadError) {
    for (const char* text : {"", "\r\n\r\n", "; a comment\r\nVERSION=6.4\r\n"}) {
        SCOPED_TRACE(text);
        Write("Options.dat", Bytes(text));
        try {
            LoadSkinFolder(Path(), nullptr);
            ADD_FAILURE() << "the folder loaded";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message, NoSectionsMessage);
        }
        EXPECT_THROW(LoadTestSkin(text), Exception) << "the package loaded";
    }
    Write("Options.dat", Bytes("[GLOBALINFO]\r\n"));
    EXPECT_NO_THROW(LoadSkinFolder(Path(), nullptr));
}

TEST_F(SkinFolder, MissingFilesAreSkipped) {
    Write("Options.dat", Bytes(Options));
    const SkinTables tables = *LoadSkinFolder(Path(), nullptr);
    EXPECT_TRUE(tables.MasterBitmap.isNull());
    EXPECT_TRUE(tables.Masks.empty());
    EXPECT_TRUE(tables.Patterns.empty());
}

TEST_F(SkinFolder, FilesCountAgainstTheUnpackedBudgetBeforeTheyAreRead) {
    // Sparse files: only their sizes are looked at before the load refuses them.
    const auto sparse = [this](const std::string& name, std::uintmax_t size) {
        Write(name, {});
        std::filesystem::resize_file(Folder / name, size);
    };
    const std::string options = "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n[A]\r\nB=BIG.BMP\r\n";
    const struct {
        const char* what;
        std::function<void()> prepare;
    } cases[] = {
        {"a picture past the budget",
         [&] {
             Write("Options.dat", Bytes(options));
             sparse("Big.bmp", 40u << 20);
         }},
        {"Options.dat past the budget",
         [&] {
             sparse("Options.dat", 40u << 20);
         }},
    };
    for (const auto& c : cases) {
        c.prepare();
        try {
            LoadSkinFolder(Path(), nullptr);
            ADD_FAILURE() << c.what << " loaded";
        } catch (const ESkinTooLarge& error) {
            EXPECT_EQ(error.Message, "Skin is too large: its entries unpack to more than 33554432 bytes")
                << c.what;
        }
    }
}
