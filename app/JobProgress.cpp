#include "JobProgress.h"

#include "FileSystem.h"
#include "SizeText.h"

QString ElapsedText(std::int64_t elapsedMilliseconds) {
    const std::int64_t seconds = std::max<std::int64_t>(0, elapsedMilliseconds) / 1000;
    const auto twoDigits = [](std::int64_t n) {
        return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    };
    if (seconds < 3600)
        return QString::number(seconds / 60) + QLatin1Char(':') + twoDigits(seconds % 60);
    return QString::number(seconds / 3600) + QLatin1Char(':') + twoDigits(seconds / 60 % 60) +
           QLatin1Char(':') + twoDigits(seconds % 60);
}

QString JobProgressText(const QString& shownDatabase, const QString& doing, std::int64_t bytes,
                        std::int64_t elapsedMilliseconds) {
    return shownDatabase + doing + SizeText(bytes) + QStringLiteral(" 바이트, ") +
           ElapsedText(elapsedMilliseconds);
}

std::int64_t BytesWritten(const std::string& path) {
    const auto facts = LookAt(path);
    return facts && facts->Regular ? facts->Size : 0;
}
