#include "SizeText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(SizeText, GroupsDigitsWithTheLocaleSeparator) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1,000"},
        {1234567, "1,234,567"},
        {-1, "-1"},
        {-1234, "-1,234"},
        {3221225472, "3,221,225,472"},
        {INT64_MIN, "-9,223,372,036,854,775,808"},
    };
    for (const auto& [size, text] : cases)
        EXPECT_EQ(SizeText(size, english), text) << size;
    EXPECT_EQ(SizeText(1234567, QLocale(QLocale::Korean, QLocale::SouthKorea)), "1,234,567");
    EXPECT_EQ(SizeText(1234567, QLocale(QLocale::German, QLocale::Germany)), "1.234.567");
}

TEST(SizeText, ReportOfBeforeAfterAndDifference) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(SizeReport(1234567, 1000000, english), "1,234,567 - 1,000,000 = 234,567");
    EXPECT_EQ(SizeReport(3221225472, 1000, english), "3,221,225,472 - 1,000 = 3,221,224,472");
    EXPECT_EQ(SizeReport(100, 200, english), "100 - 200 = -100");
}

} // namespace
