#include "JobProgress.h"

#include "QtPrinters.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(JobProgress, ElapsedTimeAsMinutesAndSeconds) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0:00"},
        {999, "0:00"},
        {1000, "0:01"},
        {42'500, "0:42"},
        {60'000, "1:00"},
        {3'599'999, "59:59"},
        {3'600'000, "1:00:00"},
        {3'723'000, "1:02:03"},
        {90'000'000, "25:00:00"},
        {-5, "0:00"},
    };
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(ElapsedText(ms), text) << ms;
}

TEST(JobProgress, TextWithGroupedBytes) {
    // The tests run in an English locale: commas.
    EXPECT_EQ(JobProgressText("/d/a.fdb", " 백업 중... ", 1234567890, 42'000),
              "/d/a.fdb 백업 중... 1,234,567,890 바이트, 0:42");
    EXPECT_EQ(JobProgressText("/d/a.fdb", " 최적화 중... ", 0, 0), "/d/a.fdb 최적화 중... 0 바이트, 0:00");
}

TEST(JobProgress, BytesOnTheDiskWithoutOpeningTheFile) {
    TTempDir dir;
    EXPECT_EQ(BytesWritten(dir.File("not-yet")), 0);
    dir.Write("growing", std::string(12345, 'g'));
    EXPECT_EQ(BytesWritten(dir.File("growing")), 12345);
    EXPECT_EQ(BytesWritten(dir.Path()), 0) << "a folder";
}

} // namespace
