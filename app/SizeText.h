#pragma once
// How sizes are shown: the size text and the size report.

#include <QLocale>
#include <QString>
#include <cstdint>

// Whole number with digits grouped in threes by the locale's group separator ("###,##0"):
// 1234567 gives 1,234,567, 0 gives 0, -1 gives -1.
QString SizeText(std::int64_t size, const QLocale& locale = QLocale());

// "before - after = difference". Sizes are 64-bit, so large files cannot overflow it.
QString SizeReport(std::int64_t before, std::int64_t after, const QLocale& locale = QLocale());
