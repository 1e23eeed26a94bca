// Qt's own texts in the user's language: a Korean desktop gets a Korean file dialog and
// Korean message box buttons.
#include "ProgramEntry.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

struct TranslationCase {
    const char* Name;
    QLocale Locale;
    bool Installed;
    const char* Cancel; // the message box button
    const char* Open;   // the file dialog's button
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const TranslationCase& c, std::ostream* os) {
    *os << c.Name;
}

class QtTranslations : public ::testing::TestWithParam<TranslationCase> {};

TEST_P(QtTranslations, FollowTheLocale) {
    const TranslationCase& c = GetParam();
    QTranslator* translator = InstallQtTranslations(*QCoreApplication::instance(), c.Locale);
    EXPECT_EQ(translator != nullptr, c.Installed);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8(c.Cancel));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), QString::fromUtf8(c.Open));
    if (translator != nullptr) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QtTranslations,
    ::testing::Values(
        TranslationCase{"korean", QLocale(QLocale::Korean, QLocale::SouthKorea), true, "취소", "열기(&O)"},
        TranslationCase{"german", QLocale(QLocale::German, QLocale::Germany), true, "Abbrechen", "&Öffnen"},
        // English needs none: Qt's texts are English.
        TranslationCase{"english", QLocale(QLocale::English, QLocale::UnitedStates), false, "Cancel",
                        "&Open"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
