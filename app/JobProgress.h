#pragma once
// What the status line shows while the engine works: how much of the file it writes is on the
// disk and how long the job has run. Measured with a stat of the file (never opening it, the
// engine's file), so the measuring costs the job nothing. No percentage: nothing is estimated.

#include <QString>
#include <cstdint>
#include <string>

// "<shown database><doing>1,234,567 바이트, 0:42", with `doing` such as " 백업 중... ".
QString JobProgressText(const QString& shownDatabase, const QString& doing, std::int64_t bytes,
                        std::int64_t elapsedMilliseconds);

// Elapsed time as m:ss, or h:mm:ss from one hour on.
QString ElapsedText(std::int64_t elapsedMilliseconds);

// Bytes of the file on the disk now; 0 while it does not exist yet.
std::int64_t BytesWritten(const std::string& path);

// How often the status line is brought up to date while a job runs.
constexpr int kJobProgressMilliseconds = 250;
