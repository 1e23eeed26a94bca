// Settings files under hostile or unlucky conditions: a file close to the size limit its reader
// accepts, and two programs writing the same file at once.
#include "Exceptions.h"
#include "IniFile.h"
#include "PrivateProfile.h"
#include "SkinChoice.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A skin choice file just under 1 MiB without the key. Writing the key would take the file
// over the size the reader accepts, and every later start and close would fail on it: the write
// is refused instead, with the file left as it was.
TEST(HostileSettings, AWriteThatWouldLeaveAFileItsReaderRefusesIsRefused) {
    TTempDir folder;
    std::string filler = "[Notes]\r\n";
    while (filler.size() + 66 < (1u << 20) - 16)
        filler += "; " + std::string(60, 'x') + "\r\n";
    filler += "; " + std::string((1u << 20) - 16 - filler.size() - 4, 'x') + "\r\n"; // 16 bytes short
    folder.Write("kvSkinNumber.ini", filler);
    TIniFile skinIni(folder.File("kvSkinNumber.ini"));
    EXPECT_THROW(ReadSkinNumberForStart(skinIni), EConvertError); // no key: reported, as for any such file
    EXPECT_THROW(WriteSkinNumber(skinIni, -1), Exception);
    EXPECT_TRUE(folder.Read("kvSkinNumber.ini") == filler) << "the file was changed";
}

// Two programs closing at the same time each write their own keys; none may be lost.
TEST(HostileSettings, KeysWrittenByTwoProgramsAtOnceAreAllKept) {
    TTempDir folder;
    const std::string path = folder.File("kvFormPct.ini");
    const int keys = 150;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        if (children[c] == 0) {
            for (int k = 0; k < keys; ++k)
                WritePrivateProfileString("TMorvaneMainForm", "P" + std::to_string(c) + "K" + std::to_string(k),
                                          "1", path);
            ::_exit(0);
        }
    }
    for (const pid_t child : children)
        ::waitpid(child, nullptr, 0);
    int missing = 0;
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < keys; ++k)
            if (GetPrivateProfileString("TMorvaneMainForm", "P" + std::to_string(c) + "K" + std::to_string(k), "",
                                        path) != "1")
                ++missing;
    EXPECT_EQ(missing, 0) << "of " << 2 * keys << " keys written";
}

} // namespace
