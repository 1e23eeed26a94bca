// Test entry for window tests: one QApplication for the whole run.
#include "FileNameCharacters.h"
#include "FileSystem.h"
#include "ProgramEntry.h"

#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// Every test starts like a fresh installation: no settings files beside the program.
class FreshSettings : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        for (const char* name : {"kvSkinNumber.ini", "kvFormPct.ini"})
            std::remove((ProgramFolder() + name).c_str());
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // As the program does, before anything loads the client library.
    ReadFileNamesAsUtf8UnderThePosixLocale();
    InstallFontSubstitutes();
    // Sizes are shown with the locale's digit grouping; the tests expect commas.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
    return RUN_ALL_TESTS();
}
