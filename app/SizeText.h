#pragma once
// How sizes and paths are shown: the size text, the size report and the backup path.

#include <QLocale>
#include <QString>
#include <cstdint>

// Whole number with digits grouped in threes by the locale's group separator ("###,##0"):
// 1234567 gives 1,234,567, 0 gives 0, -1 gives -1.
QString SizeText(std::int64_t size, const QLocale& locale = QLocale());

// "before - after = difference". Sizes are 64-bit, so large files cannot overflow it.
QString SizeReport(std::int64_t before, std::int64_t after, const QLocale& locale = QLocale());

// The backup file beside a database: its last three characters replaced by "BAK".
QString BackupPathFor(const QString& databasePath);

// True when a picked file would be its own backup file (its name ends in BAK in any case).
bool IsOwnBackupName(const QString& databasePath);
