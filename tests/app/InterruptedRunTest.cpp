// A run killed at any point (SIGKILL: nothing of it runs afterwards) is settled by the next pick
// of the same database from what the run recorded, and nothing is lost: the database is the
// original or, when the rebuild had finished, the rebuilt one, never a half-made file.
#include "LargeDatabase.h"
#include "RunJournal.h"
#include "StepRunnerProcess.h"
#include "WorkflowFixture.h"

#include <QLabel>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

class InterruptedRunTest : public WorkflowFixture {
protected:
    std::string Hidden() const {
        std::string hidden;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            if (entry.path().filename().string()[0] == '.')
                hidden += entry.path().filename().string() + ";";
        return hidden;
    }

    // After the next pick settled the run: only the database is left, besides the lock the
    // window now holds.
    void ExpectOnlyTheDatabaseLeft(const std::string& db) {
        const std::string name = fs::path(db).filename().string();
        EXPECT_EQ(VisibleNames(dir.Path()), std::vector<std::string>{name});
        EXPECT_EQ(Hidden(), fs::path(RunLockPathFor(db)).filename().string() + ";");
    }

    std::string RecordedState(const std::string& db) {
        TRunRecord record;
        return ReadRunRecord(db, record) == TRunRecordRead::Read ? RunStateName(record.State) : "none";
    }

    // Waits until the file exists and has grown past `bytes` (the job is under way).
    static bool WaitForGrowth(const std::string& path, std::int64_t bytes, int milliseconds = 60000) {
        for (int waited = 0; waited < milliseconds; waited += 2) {
            if (FileSizeOf(path) > bytes)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }
};

struct TStopCase {
    const char* State;
    bool Rebuilt;      // the rebuilt database is kept (else the original, the very same file)
    const char* Found; // what the status line says was found
    const char* Done;  // and what was done
};

class StopCases : public InterruptedRunTest, public ::testing::WithParamInterface<TStopCase> {};

TEST_P(StopCases, NextPickSettlesTheRunFromItsRecord) {
    const TStopCase& c = GetParam();
    const std::string db = MakeDatabase(dir.File("shop.fdb"), 3000);
    const ino_t original = InodeOf(db);
    {
        TStepRunner runner(db, {.StopAt = c.State});
        ASSERT_TRUE(runner.WaitFor(std::string("stopped ") + c.State));
        runner.Kill();
    }
    ASSERT_EQ(RecordedState(db), c.State);

    Pick(db);
    const QString status = form.RichEdit5->Text();
    EXPECT_TRUE(status.startsWith(Shown(db) + " ")) << status.toStdString();
    EXPECT_TRUE(status.contains(QString::fromUtf8(c.Found))) << status.toStdString();
    EXPECT_TRUE(status.contains(QString::fromUtf8(c.Done))) << status.toStdString();
    ExpectOnlyTheDatabaseLeft(db);
    if (c.Rebuilt)
        EXPECT_NE(InodeOf(db), original);
    else
        EXPECT_EQ(InodeOf(db), original);
    EXPECT_EQ(CountRows(db), 1500);
    EXPECT_EQ(form.SizeBefore, FileSizeOf(db)) << "measured after the settling";
    ExpectButtons({true, false, false}, form.sButton2);

    // And the next run goes through as usual.
    form.sButton2Click();
    form.sButton3Click();
    form.sButton4Click();
    EXPECT_EQ(form.RichEdit5->Text(), Shown(db) + " 최적화 완료.");
    EXPECT_EQ(CountRows(db), 1500);
    EXPECT_EQ(VisibleNames(dir.Path()), std::vector<std::string>{"shop.fdb"});
}

INSTANTIATE_TEST_SUITE_P(
    States, StopCases,
    ::testing::Values(TStopCase{"backup-started", false, "백업 중에 중단", "그 작업의 백업파일도 지웠습니다"},
                      TStopCase{"backed-up", false, "백업을 마친 뒤", "그 작업의 백업파일도 지웠습니다"},
                      // Recorded, but killed before the original was moved.
                      TStopCase{"restore-started", false, "최적화(복원) 중에 중단", "옮겨지기 전이라 그대로"},
                      // Killed between the restore's end and the original's deletion.
                      TStopCase{"restore-finished", true, "최적화를 마친 뒤 중단", "기존파일을 지웠습니다"},
                      // The original was already gone: nothing more is said of it.
                      TStopCase{"optimised", true, "최적화를 마친 뒤 중단",
                                "최적화된 데이터베이스는 그대로입니다. 그 작업의 백업파일도 지웠습니다"}),
    [](const auto& info) {
        std::string name = info.param.State;
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });

// Killed after the backup, and the database moved away before the next pick: the backup may be
// the only copy left, so it stays, and the status line says so.
TEST_F(InterruptedRunTest, AFinishedBackupStaysWhenItsDatabaseHasGone) {
    const std::string db = MakeDatabase(dir.File("shop.fdb"), 1000);
    const std::string bak = dir.File("shop.BAK");
    {
        TStepRunner runner(db, {.StopAt = "backed-up"});
        ASSERT_TRUE(runner.WaitFor("stopped backed-up"));
        runner.Kill();
    }
    fs::rename(db, dir.File("moved.fdb"));
    Pick(db);
    const QString status = form.RichEdit5->Text();
    EXPECT_TRUE(status.contains("백업을 마친 뒤")) << status.toStdString();
    EXPECT_TRUE(status.contains("유일한 사본일 수 있어 남겨 두었습니다")) << status.toStdString();
    EXPECT_FALSE(status.contains("지웠습니다")) << status.toStdString();
    ASSERT_TRUE(fs::exists(bak));
    EXPECT_EQ(VisibleNames(dir.Path()), (std::vector<std::string>{"moved.fdb", "shop.BAK"}));
}

// Killed while the engine writes the backup of a large database.
TEST_F(InterruptedRunTest, KilledDuringTheBackup) {
    const std::string db = dir.File("big.fdb");
    fs::copy_file(SharedLargeDatabase(), db);
    const ino_t original = InodeOf(db);
    {
        TStepRunner runner(db, {});
        ASSERT_TRUE(runner.WaitFor("waiting"));
        ASSERT_TRUE(WaitForGrowth(dir.File("big.BAK"), 4'000'000));
        runner.Kill();
    }
    ASSERT_EQ(RecordedState(db), "backup-started") << "the kill came too late";
    Pick(db);
    EXPECT_TRUE(form.RichEdit5->Text().contains("백업 중에 중단")) << form.RichEdit5->Text().toStdString();
    ExpectOnlyTheDatabaseLeft(db);
    EXPECT_EQ(InodeOf(db), original);
    EXPECT_EQ(CountRows(db), kLargeDatabaseRows);
}

// The case the tool once got wrong: killed while the engine restores a large database. The
// half-restored file looks like an empty database to the engine; it must never be backed up
// over the only complete backup.
TEST_F(InterruptedRunTest, KilledDuringTheRestore) {
    const std::string db = dir.File("big.fdb");
    fs::copy_file(SharedLargeDatabase(), db);
    const ino_t original = InodeOf(db);
    {
        TStepRunner runner(db, {});
        ASSERT_TRUE(runner.WaitFor("waiting")); // the backup
        ASSERT_TRUE(runner.WaitFor("waiting")); // the restore
        ASSERT_TRUE(WaitForGrowth(db, 8'000'000)) << "the restore did not start writing";
        runner.Kill();
    }
    EXPECT_EQ(RecordedState(db), "restore-started") << "the kill came too late";

    Pick(db);
    const QString status = form.RichEdit5->Text();
    EXPECT_TRUE(status.contains("최적화(복원) 중에 중단")) << status.toStdString();
    EXPECT_TRUE(status.contains("기존파일을 제자리로 되돌렸습니다")) << status.toStdString();
    ExpectOnlyTheDatabaseLeft(db);
    EXPECT_EQ(InodeOf(db), original) << "the original, not a copy, is back";
    EXPECT_EQ(CountRows(db), kLargeDatabaseRows);

    // The next ordinary run compacts the original.
    form.sButton2Click();
    form.sButton3Click();
    form.sButton4Click();
    EXPECT_EQ(form.RichEdit5->Text(), Shown(db) + " 최적화 완료.");
    EXPECT_EQ(CountRows(db), kLargeDatabaseRows);
}

// A run of another process is never settled while that process lives; once it is gone, the
// next step of this window settles it before doing anything else.
TEST_F(InterruptedRunTest, AnotherProcesssRunIsLeftAloneWhileItLives) {
    const std::string db = MakeDatabase(dir.File("shop.fdb"), 2000);
    TStepRunner runner(db, {.StopAt = "restore-finished"});
    ASSERT_TRUE(runner.WaitFor("stopped restore-finished"));

    Pick(db);
    const QString busy =
        Shown(db) + " 다른 창에서 이 데이터베이스를 다루고 있습니다. 그 작업이 끝난 뒤 다시 선택하십시오.";
    EXPECT_EQ(form.RichEdit5->Text(), busy);
    ExpectButtons({false, false, false}, form.sButton1);
    form.sButton2Click();
    EXPECT_EQ(RecordedState(db), "restore-finished") << "the live run's files were touched";
    EXPECT_TRUE(fs::exists(dir.File(".shop.fdb.morvane-original")));
    // No backup ran. The busy message is logged as well whenever it is too long for the status
    // line, which depends on how wide the folder's random name is drawn.
    for (const Line& line : LinesOf(form.RichEdit3))
        EXPECT_EQ(line.text, busy);

    runner.Kill();
    form.sButton2Click(); // settles, and stops there: the user sees what happened first
    EXPECT_TRUE(form.RichEdit5->Text().contains("최적화를 마친 뒤 중단"))
        << form.RichEdit5->Text().toStdString();
    // Too long for the status line, the message is logged whole as well; no step runs in the
    // same click.
    const std::vector<Line> settled = LinesOf(form.RichEdit3);
    ASSERT_FALSE(settled.empty());
    EXPECT_EQ(settled.back().text, form.RichEdit5->Text());
    ExpectOnlyTheDatabaseLeft(db);
    ExpectButtons({true, false, false}, form.sButton2);
    EXPECT_EQ(form.SizeBefore, FileSizeOf(db));
    form.sButton2Click();
    EXPECT_EQ(LinesWithoutBackupRetry(form.RichEdit3).size(), settled.size() + 4u);
    EXPECT_EQ(CountRows(db), 1000);
}

// When the files do not match the record, nobody can tell which holds the data: nothing is
// changed and no step runs until the user has looked.
TEST_F(InterruptedRunTest, FilesThatDoNotMatchTheRecordStopEverything) {
    const std::string db = MakeDatabase(dir.File("shop.fdb"), 2000);
    {
        TStepRunner runner(db, {.StopAt = "restore-finished"});
        ASSERT_TRUE(runner.WaitFor("stopped restore-finished"));
        runner.Kill();
    }
    // Someone replaced the rebuilt database after the crash.
    fs::copy_file(db, dir.File("copy"));
    fs::remove(db);
    fs::rename(dir.File("copy"), db);
    const std::string listing = dir.Listing();

    Pick(db);
    EXPECT_TRUE(form.RichEdit5->Text().contains("되돌리지 못했습니다"))
        << form.RichEdit5->Text().toStdString();
    EXPECT_TRUE(form.RichEdit5->Text().contains("그때까지 백업과 최적화는 하지 않습니다"));
    ExpectButtons({false, false, false}, form.sButton1);
    form.sButton2Click();
    form.sButton3Click();
    EXPECT_EQ(dir.Listing(), listing + "") << "nothing may change";
    EXPECT_TRUE(fs::exists(dir.File(".shop.fdb.morvane-original")));
}

} // namespace
