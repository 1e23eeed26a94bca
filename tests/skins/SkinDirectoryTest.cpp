// Where package files and skin folders are looked for, under Windows' and Linux' separators.
#include "SkinDirectory.h"

#include <gtest/gtest.h>

namespace {

struct DirectoryCase {
    const char* directory;
    char separator;
    const char* normalised;
    const char* full;
};

class SkinDirectories : public ::testing::TestWithParam<DirectoryCase> {};

} // namespace

TEST_P(SkinDirectories, FollowTheDirectoryRules) {
    const DirectoryCase& c = GetParam();
    const SkinDirectoryRules rules{c.separator, c.separator == '\\' ? "c:\\Prog\\Bin\\" : "/opt/prog/bin/"};
    EXPECT_EQ(NormalisedSkinDirectory(c.directory, rules), c.normalised) << c.directory;
    EXPECT_EQ(FullSkinDirectory(c.directory, rules), c.full) << c.directory;
}

INSTANTIATE_TEST_SUITE_P(
    WindowsAndLinux, SkinDirectories,
    ::testing::Values(DirectoryCase{"c:\\Skin", '\\', "c:\\Skin\\", "c:\\Skin"},
                      DirectoryCase{"c:\\Skin\\", '\\', "c:\\Skin\\", "c:\\Skin\\"},
                      DirectoryCase{"c:/Skin/", '\\', "c:\\Skin\\", "c:\\Skin\\"},
                      DirectoryCase{"d", '\\', "d:\\", "d"},
                      DirectoryCase{"\\\\server\\skins", '\\', "\\\\server\\skins\\", "\\\\server\\skins"},
                      DirectoryCase{"..\\Skins", '\\', "c:\\Prog\\Skins\\", "c:\\Prog\\Skins"},
                      DirectoryCase{".\\Skins", '\\', "c:\\Prog\\Bin\\Skins\\", "c:\\Prog\\Bin\\Skins"},
                      DirectoryCase{"Skin", '\\', "c:\\Prog\\Bin\\Skin\\", "c:\\Prog\\Bin\\Skin"},
                      DirectoryCase{"", '\\', "", "c:\\Prog\\Bin\\"},
                      DirectoryCase{"Skin", '/', "/opt/prog/bin/Skin/", "/opt/prog/bin/Skin"},
                      DirectoryCase{"./Skin", '/', "/opt/prog/bin/Skin/", "/opt/prog/bin/Skin"},
                      DirectoryCase{"../Skin", '/', "/opt/prog/Skin/", "/opt/prog/Skin"},
                      DirectoryCase{"/srv/skins", '/', "/srv/skins/", "/srv/skins"},
                      DirectoryCase{"/srv/skins/", '/', "/srv/skins/", "/srv/skins/"},
                      DirectoryCase{"c:\\Skin", '/', "/opt/prog/bin/c:/Skin/", "/opt/prog/bin/c:/Skin"}));
