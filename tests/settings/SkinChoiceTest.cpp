#include "SkinChoice.h"

#include "Exceptions.h"
#include "FileSystem.h"
#include "IniFile.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class SkinChoice : public ::testing::Test {
protected:
    std::string Path() const { return folder.File("kvSkinNumber.ini"); }
    TTempDir folder;
    TIniFile skinIni{folder.File("kvSkinNumber.ini")};
};

TEST_F(SkinChoice, FileLivesInTheProgramFolder) {
    EXPECT_EQ(SkinChoiceFilePath(), ProgramFolder() + "kvSkinNumber.ini");
}

TEST_F(SkinChoice, FirstStartWritesAndReadsTheDefaultFour) {
    EXPECT_EQ(ReadSkinNumberForStart(skinIni), 4);
    EXPECT_EQ(folder.Read("kvSkinNumber.ini"), "[SkinNumber]\r\nNumber=4\r\n");
}

struct StoredCase {
    const char* Name;
    std::string File;
    std::int32_t Expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const StoredCase& c, std::ostream* os) {
    *os << c.Name;
}

class SkinChoiceStored : public ::testing::TestWithParam<StoredCase> {};

TEST_P(SkinChoiceStored, ReadsTheStoredNumber) {
    TTempDir folder;
    folder.Write("kvSkinNumber.ini", GetParam().File);
    TIniFile skinIni(folder.File("kvSkinNumber.ini"));
    EXPECT_EQ(ReadSkinNumberForStart(skinIni), GetParam().Expected);
    EXPECT_EQ(folder.Read("kvSkinNumber.ini"), GetParam().File) << "an existing file is only read";
}

INSTANTIATE_TEST_SUITE_P(Cases, SkinChoiceStored,
                         ::testing::Values(StoredCase{"two", "[SkinNumber]\r\nNumber=2\r\n", 2},
                                           StoredCase{"minus_one", "[SkinNumber]\r\nNumber=-1\r\n", -1},
                                           StoredCase{"hundred", "[SkinNumber]\r\nNumber=100\r\n", 100},
                                           StoredCase{"leading_blank", "[SkinNumber]\r\nNumber=\" 3\"\r\n",
                                                      3},
                                           StoredCase{"plus_sign", "[SkinNumber]\r\nNumber=+3\r\n", 3},
                                           StoredCase{"hexadecimal", "[skinnumber]\r\nnumber=$2\r\n", 2}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct BadCase {
    const char* Name;
    std::string File;
    std::string Message;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.Name;
}

class SkinChoiceBad : public ::testing::TestWithParam<BadCase> {};

TEST_P(SkinChoiceBad, RaisesTheConversionErrorAndWritesNoDefault) {
    TTempDir folder;
    folder.Write("kvSkinNumber.ini", GetParam().File);
    TIniFile skinIni(folder.File("kvSkinNumber.ini"));
    try {
        ReadSkinNumberForStart(skinIni);
        ADD_FAILURE() << "no error raised";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message, GetParam().Message);
    }
    EXPECT_EQ(folder.Read("kvSkinNumber.ini"), GetParam().File);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SkinChoiceBad,
    ::testing::Values(
        BadCase{"letters", "[SkinNumber]\r\nNumber=abc\r\n", "'abc' is not a valid integer value"},
        BadCase{"trailing_letter", "[SkinNumber]\r\nNumber=3x\r\n", "'3x' is not a valid integer value"},
        BadCase{"empty", "[SkinNumber]\r\nNumber=\r\n", "'' is not a valid integer value"},
        BadCase{"missing_key", "[SkinNumber]\r\nOther=1\r\n", "'' is not a valid integer value"},
        BadCase{"empty_file", "", "'' is not a valid integer value"},
        BadCase{"beyond_32_bits", "[SkinNumber]\r\nNumber=4294967296\r\n",
                "'4294967296' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SkinChoice, CloseWritesTheIndexEveryTime) {
    folder.Write("kvSkinNumber.ini", "; chosen skin\r\n[SkinNumber]\r\nNumber=2\r\n");
    WriteSkinNumber(skinIni, 1);
    EXPECT_EQ(folder.Read("kvSkinNumber.ini"), "; chosen skin\r\n[SkinNumber]\r\nNumber=1\r\n");
    WriteSkinNumber(skinIni, -1);
    EXPECT_EQ(folder.Read("kvSkinNumber.ini"), "; chosen skin\r\n[SkinNumber]\r\nNumber=-1\r\n");
    EXPECT_EQ(ReadSkinNumberForStart(skinIni), -1);
}

TEST_F(SkinChoice, DefaultThatCannotBeWrittenRaises) {
    std::filesystem::create_directory(Path());
    try {
        ReadSkinNumberForStart(skinIni);
        ADD_FAILURE() << "no error raised";
    } catch (const EConvertError&) {
        ADD_FAILURE() << "the write error must come first";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, "Unable to write to " + Path());
    }
}

TEST_F(SkinChoice, CloseThatCannotWriteRaisesAndKeepsNothingHalfDone) {
    std::filesystem::create_directory(Path());
    try {
        WriteSkinNumber(skinIni, 2);
        ADD_FAILURE() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, "Unable to write to " + Path());
    }
    EXPECT_TRUE(std::filesystem::is_directory(Path()));
    EXPECT_EQ(folder.Listing(), "kvSkinNumber.ini;");
}

} // namespace
