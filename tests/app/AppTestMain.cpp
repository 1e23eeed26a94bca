// Test entry for window tests: one QApplication for the whole run.
#include "ProgramEntry.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    // Sizes are shown with the locale's digit grouping; the tests expect commas.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
