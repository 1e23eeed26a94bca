// The program working through a running Firebird server, as on a machine where one serves the
// database: other programs may then work on it while its backup runs. What they commit after
// the backup's own transaction began is not in the backup, and a compaction from it would lose
// their work.
#include "WorkflowFixture.h"

#include "LargeDatabase.h"

#include <QThread>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

using ThroughServerTest = WorkflowFixture;

// The backup's own transaction is all the check allows: nothing else working on the database,
// the compaction goes through.
TEST_F(ThroughServerTest, AQuietDatabaseIsCompacted) {
    fs::permissions(dir.Path(), fs::perms::all);
    const std::string db = MakeDatabase(dir.File("quiet.fdb"), 4000);
    // A database in use, not one just made: the server's first opening of a new database starts
    // a transaction of its own.
    ASSERT_EQ(CountRows(db), 2000);
    RunAllSteps(db);
    EXPECT_TRUE(form.RichEdit4->Text().contains(QString::fromUtf8("데이터베이스 최적화 완료.")))
        << form.RichEdit3->Text().toStdString();
    EXPECT_EQ(CountRows(db), 2000);
}

// A database nobody has opened since it was made (or rebuilt): the server collects the garbage
// its making left in the background, in a transaction of its own, while the backup reads it.
// That is not another program's work, and the compaction goes through.
TEST_F(ThroughServerTest, ANewlyMadeDatabaseIsCompacted) {
    fs::permissions(dir.Path(), fs::perms::all);
    const std::string db = MakeDatabase(dir.File("new.fdb"), 4000);
    RunAllSteps(db);
    EXPECT_TRUE(form.RichEdit4->Text().contains(QString::fromUtf8("데이터베이스 최적화 완료.")))
        << form.RichEdit3->Text().toStdString();
    // And the database it rebuilt, as new as can be, once more.
    RunAllSteps(db);
    EXPECT_TRUE(form.RichEdit4->Text().contains(QString::fromUtf8("데이터베이스 최적화 완료.")))
        << form.RichEdit3->Text().toStdString();
    EXPECT_EQ(CountRows(db), 2000);
}

// Another program commits a row while the backup runs, through the first backup only or through
// the second as well. The first backup lacks the row and is never restored from: the window backs
// up once more, and that backup has the row, or it is refused too. A window asked to close during
// the first backup is on its way out: it does not keep the user waiting for a second backup,
// which the end of the run would delete anyway.
struct TBusyCase {
    const char* Name;
    int CommittingBackups; // how many backups another program commits a row during
    bool ClosedDuringTheFirst;
    bool Compacted;
};

class BusyCases : public ThroughServerTest, public ::testing::WithParamInterface<TBusyCase> {};

TEST_P(BusyCases, ARowCommittedDuringTheBackupIsNotLost) {
    const TBusyCase& c = GetParam();
    fs::permissions(dir.Path(), fs::perms::all); // the server may run as another user
    const std::string db = dir.File("busy.fdb");
    fs::copy_file(SharedLargeDatabase(), db);
    fs::permissions(db, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    ASSERT_EQ(CountRows(db), kLargeDatabaseRows); // opened through the server once already
    int backups = 0;
    std::vector<std::string> committed;
    bool backupStillRunning = true;
    QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, [&] {
        if (++backups == 1 && c.ClosedDuringTheFirst)
            EXPECT_FALSE(form.close()) << "the window must not close during a job";
        if (backups > c.CommittingBackups)
            return;
        // Once the engine writes the backup, another program commits a row through the server.
        for (int i = 0; i < 40000 && FileSizeOf(dir.File("busy.BAK")) < 64 * 1024; ++i)
            QThread::usleep(500);
        try {
            RunIsql("connect '" + db + "';\ninsert into ROWS_T (ID, PAD) values (-" +
                    std::to_string(backups) + ", 'during the backup');\ncommit;\n");
            committed.push_back("yes");
        } catch (const std::exception& e) {
            committed.push_back(e.what());
        }
        backupStillRunning = backupStillRunning && FileSizeOf(dir.File("busy.BAK")) < FileSizeOf(db) / 2;
    });
    Pick(db);
    form.sButton2Click();
    ASSERT_EQ(committed, std::vector<std::string>(c.CommittingBackups, "yes"))
        << "the other program could not commit";
    ASSERT_TRUE(backupStillRunning)
        << "a backup ended before the commit: the database is too small for the case";
    EXPECT_EQ(backups, c.ClosedDuringTheFirst ? 1 : 2);

    const bool refused = form.RichEdit3->Text().contains(QString::fromUtf8("백업하는 동안 다른 프로그램이"));
    EXPECT_EQ(refused, !c.Compacted) << form.RichEdit3->Text().toStdString();
    EXPECT_EQ(form.sButton3->isEnabled(), c.Compacted);
    EXPECT_EQ(fs::exists(dir.File("busy.BAK")), c.Compacted) << "a backup that lacks a row is left behind";
    // Whatever the window offers next, the rows stay.
    if (form.sButton3->isEnabled()) {
        form.sButton3Click();
        form.sButton4Click();
        EXPECT_TRUE(form.RichEdit4->Text().contains(QString::fromUtf8("데이터베이스 최적화 완료.")))
            << form.RichEdit4->Text().toStdString();
    }
    EXPECT_EQ(CountRows(db), kLargeDatabaseRows + c.CommittingBackups)
        << form.RichEdit4->Text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Commits, BusyCases,
                         ::testing::Values(TBusyCase{"DuringTheFirstBackup", 1, false, true},
                                           TBusyCase{"DuringBothBackups", 2, false, false},
                                           TBusyCase{"WhileTheWindowCloses", 1, true, false}),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
