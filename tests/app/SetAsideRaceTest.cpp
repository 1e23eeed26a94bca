// Between the optimise step's checks (nobody holds the database open, nothing was written since
// the backup) and the move of the original aside, the run writes and flushes its record. Another
// program that attaches and commits in that moment commits into the original; the original must
// then not be deleted as if the backup held everything.
#include "WorkflowFixture.h"

#include "FileSystem.h"

#include <QThread>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

using SetAsideRaceTest = WorkflowFixture;

TEST_F(SetAsideRaceTest, ARowCommittedWhileTheOriginalIsSetAsideIsNotLost) {
    const std::string db = MakeDatabase(dir.File("race.fdb"), 500); // 250 rows
    Pick(db);
    form.sButton2Click();
    ASSERT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();

    std::string committed;
    QObject::connect(&form, &TMorvaneMainForm::runRecorded, [&](const QString& state) {
        if (state != "restore-started" || !committed.empty())
            return;
        try {
            RunIsql("connect '" + db + "';\ninsert into ROWS_T (ID, PAD) values (100001, 'late');\ncommit;\n");
            committed = "yes";
        } catch (const std::exception& e) {
            committed = e.what();
        }
    });
    form.sButton3Click();
    ASSERT_EQ(committed, "yes") << "the other program could not attach";
    form.sButton4Click();

    const bool reportedDone = form.RichEdit4->Text().contains(QString::fromUtf8("데이터베이스 최적화 완료."));
    const std::int64_t rows = CountRows(db);
    const bool originalKept = dir.Listing().find(".morvane-original") != std::string::npos;
    EXPECT_TRUE(rows == 251 || originalKept)
        << "rows now: " << rows << ", optimise reported done: " << reportedDone
        << ", files: " << dir.Listing();
}

// A commit soon after the backup, on a file system that keeps times to the second (ext4 with
// small inodes, FAT, many network mounts), leaves the file's size and time as they were. The
// optimise must still see that the database is no longer what the backup holds.
TEST_F(SetAsideRaceTest, AChangeThatLeavesTheFilesSizeAndTimeAloneIsNotLost) {
    const std::string db = MakeDatabase(dir.File("coarse.fdb"), 500);
    Pick(db);
    form.sButton2Click();
    ASSERT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();
    const auto before = LookAt(db);
    ASSERT_TRUE(before);
    RunIsql("connect '" + db + "';\nupdate ROWS_T set PAD = 'changed after the backup' where ID = 1;\ncommit;\n");
    // As the coarse clock would have it: the same second, and here the same nanosecond.
    const timespec times[2] = {{0, UTIME_OMIT},
                               {static_cast<time_t>(before->ModifiedNs / 1000000000),
                                static_cast<long>(before->ModifiedNs % 1000000000)}};
    ASSERT_EQ(::utimensat(AT_FDCWD, db.c_str(), times, 0), 0);
    const auto after = LookAt(db);
    ASSERT_TRUE(after && after->SameUnchanged(*before)) << "the update grew the file; the case needs a same-size change";

    form.sButton3Click();
    form.sButton4Click();
    EXPECT_NE(RunIsql("connect '" + db + "';\nset list on;\nselect PAD from ROWS_T where ID = 1;\n")
                  .find("changed after the backup"),
              std::string::npos)
        << "the update was lost; optimise pane: " << form.RichEdit4->Text().toStdString();
    EXPECT_TRUE(form.RichEdit4->Text().contains(QString::fromUtf8("백업한 뒤에 데이터베이스가 바뀌었습니다")))
        << form.RichEdit4->Text().toStdString();
}

// The database is replaced at its path while the backup runs (another program renames a new
// copy into place). The backup holds the file it started from; the new file must not be set
// aside and deleted in favour of a restore of the old one.
TEST_F(SetAsideRaceTest, ADatabaseReplacedDuringTheBackupIsNotRebuiltFromTheOldOne) {
    const std::string db = MakeDatabase(dir.File("swap.fdb"), 200000);        // 100,000 rows
    const std::string replacement = MakeDatabase(dir.File("new.fdb"), 1400);   // 700 rows
    bool swapped = false;
    QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, [&] {
        // Once the engine writes the backup, the new copy is renamed into place.
        for (int i = 0; i < 40000 && FileSizeOf(dir.File("swap.BAK")) < 64 * 1024; ++i)
            QThread::usleep(500);
        if (!swapped && fs::exists(replacement)) {
            fs::rename(replacement, db);
            swapped = true;
        }
    });
    Pick(db);
    form.sButton2Click();
    ASSERT_TRUE(swapped);
    if (form.sButton3->isEnabled()) {
        form.sButton3Click();
        form.sButton4Click();
    }
    EXPECT_EQ(CountRows(db), 700) << "the database that stood at the path was replaced by the old one's rows; "
                                  << form.RichEdit4->Text().toStdString();
}

} // namespace
