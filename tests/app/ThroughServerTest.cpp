// The program working through a running Firebird server, as on a machine where one serves the
// database: other programs may then work on it while its backup runs. What they commit after
// the backup's own transaction began is not in the backup, and a compaction from it would lose
// their work.
#include "WorkflowFixture.h"

#include "LargeDatabase.h"

#include <QThread>
#include <filesystem>
#include <stdexcept>

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

TEST_F(ThroughServerTest, ARowCommittedDuringTheBackupIsNotLost) {
    fs::permissions(dir.Path(), fs::perms::all); // the server may run as another user
    const std::string db = dir.File("busy.fdb");
    fs::copy_file(SharedLargeDatabase(), db);
    fs::permissions(db, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    ASSERT_EQ(CountRows(db), kLargeDatabaseRows); // opened through the server once already
    std::string committed;
    bool backupStillRunning = false;
    QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, [&] {
        if (!committed.empty())
            return;
        // Once the engine writes the backup, another program commits a row through the server.
        for (int i = 0; i < 40000 && FileSizeOf(dir.File("busy.BAK")) < 64 * 1024; ++i)
            QThread::usleep(500);
        try {
            RunIsql("connect '" + db + "';\ninsert into ROWS_T (ID, PAD) values (-1, 'during the backup');\ncommit;\n");
            committed = "yes";
        } catch (const std::exception& e) {
            committed = e.what();
        }
        backupStillRunning = !fs::exists(dir.File(".busy.fdb.morvane-run")) ||
                             FileSizeOf(dir.File("busy.BAK")) < FileSizeOf(db) / 2;
    });
    Pick(db);
    form.sButton2Click();
    ASSERT_EQ(committed, "yes") << "the other program could not commit";
    ASSERT_TRUE(backupStillRunning) << "the backup ended before the commit: the database is too small for the case";

    EXPECT_TRUE(form.RichEdit3->Text().contains(QString::fromUtf8("백업하는 동안 다른 프로그램이")))
        << form.RichEdit3->Text().toStdString();
    EXPECT_FALSE(form.sButton3->isEnabled()) << "the optimise step is offered with a backup that lacks the row";
    EXPECT_FALSE(fs::exists(dir.File("busy.BAK"))) << "the backup that lacks the row is left to be taken for a good one";
    // Whatever the window offers next, the row stays.
    if (form.sButton3->isEnabled()) {
        form.sButton3Click();
        form.sButton4Click();
    }
    EXPECT_EQ(CountRows(db), kLargeDatabaseRows + 1) << form.RichEdit4->Text().toStdString();
}

} // namespace
