#include "SizeText.h"

QString SizeText(std::int64_t size, const QLocale& locale) {
    // Unsigned magnitude: the most negative value has no positive counterpart.
    const std::uint64_t magnitude =
        size < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(size) : static_cast<std::uint64_t>(size);
    const QString digits = QString::number(magnitude);
    const QString separator = locale.groupSeparator();
    QString text;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += separator;
        text += digits[i];
    }
    return size < 0 ? QLatin1Char('-') + text : text;
}

QString SizeReport(std::int64_t before, std::int64_t after, const QLocale& locale) {
    return SizeText(before, locale) + QStringLiteral(" - ") + SizeText(after, locale) +
           QStringLiteral(" = ") + SizeText(before - after, locale);
}
