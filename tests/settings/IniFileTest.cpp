#include "IniFile.h"

#include "Exceptions.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct IntegerCase {
    const char* Stored; // nullptr: no key
    std::int32_t Expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << (c.Stored ? c.Stored : "(no key)");
}

class IniInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IniInteger, StrictTextOrTheDefault) {
    TTempDir folder;
    const IntegerCase& c = GetParam();
    folder.Write("a.ini", c.Stored ? std::string("[s]\r\nk=") + c.Stored + "\r\n" : "[s]\r\n");
    const TIniFile ini(folder.File("a.ini"));
    EXPECT_EQ(ini.ReadInteger("s", "k", 77), c.Expected) << (c.Stored ? c.Stored : "(none)");
}

INSTANTIATE_TEST_SUITE_P(Cases, IniInteger,
                         ::testing::Values(IntegerCase{"12", 12}, IntegerCase{"-12", -12},
                                           IntegerCase{"+7", 7}, IntegerCase{"\" 12\"", 12},
                                           IntegerCase{"$1F", 31}, IntegerCase{"0x10", 16},
                                           IntegerCase{"2147483647", 2147483647},
                                           IntegerCase{"2147483648", 77}, IntegerCase{"12a", 77},
                                           IntegerCase{"abc", 77}, IntegerCase{"", 77},
                                           IntegerCase{nullptr, 77}));

class IniFileObject : public ::testing::Test {
protected:
    TTempDir folder;
    TIniFile ini{folder.File("a.ini")};
};

TEST_F(IniFileObject, MissingFileGivesEveryDefault) {
    EXPECT_EQ(ini.ReadString("s", "k", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("s", "k", -3), -3);
    EXPECT_TRUE(ini.ReadBool("s", "k", true));
    EXPECT_FALSE(ini.ReadBool("s", "k", false));
    EXPECT_FALSE(std::filesystem::exists(ini.FileName())) << "reading creates nothing";
}

TEST_F(IniFileObject, IntegersInDecimalAndBooleansAsDigits) {
    ini.WriteInteger("s", "n", -12);
    ini.WriteInteger("s", "m", 255);
    ini.WriteBool("s", "t", true);
    ini.WriteBool("s", "f", false);
    ini.WriteString("s", "x", "text");
    EXPECT_EQ(folder.Read("a.ini"), "[s]\r\nn=-12\r\nm=255\r\nt=1\r\nf=0\r\nx=text\r\n");
    EXPECT_EQ(ini.ReadInteger("s", "n", 0), -12);
    EXPECT_TRUE(ini.ReadBool("s", "t", false));
    EXPECT_FALSE(ini.ReadBool("s", "f", true));
}

TEST_F(IniFileObject, AnyNonZeroIntegerIsTrue) {
    folder.Write("a.ini", "[s]\r\nb=2\r\nc=-1\r\nd=yes\r\n");
    EXPECT_TRUE(ini.ReadBool("s", "b", false));
    EXPECT_TRUE(ini.ReadBool("s", "c", false));
    EXPECT_FALSE(ini.ReadBool("s", "d", false)) << "not an integer: the default";
}

TEST_F(IniFileObject, FailedWriteRaisesWithThePath) {
    std::filesystem::create_directory(ini.FileName());
    for (auto write : {+[](TIniFile& f) { f.WriteString("s", "k", "v"); },
                       +[](TIniFile& f) { f.WriteInteger("s", "k", 1); },
                       +[](TIniFile& f) {
                           f.WriteBool("s", "k", true);
                       }}) {
        try {
            write(ini);
            ADD_FAILURE() << "the write should have failed";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message, "Unable to write to " + ini.FileName());
        }
    }
}

} // namespace
