// Backup and restore through the embedded engine of the system's client library, driven as the
// compaction steps drive them.

#include "ServiceSteps.h"
#include "TempDir.h"
#include "TestDatabase.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

class EngineJobs : public testing::Test {
protected:
    void SetUp() override {
        LoadAsWindowDoes(backup);
        LoadAsWindowDoes(restore);
    }

    void Backup(const std::string& database, const std::string& backupFile) {
        PrepareStep(backup);
        backup.DatabaseName = database;
        backup.BackupFile.Clear();
        backup.BackupFile.Add(backupFile);
        RunJob(backup);
    }

    void Restore(const std::string& backupFile, const std::string& database) {
        PrepareStep(restore);
        restore.BackupFile.Clear();
        restore.BackupFile.Add(backupFile);
        restore.DatabaseName.Clear();
        restore.DatabaseName.Add(database);
        RunJob(restore);
    }

    TTempDir dir;
    const std::string database = dir.File("A.FDB");
    const std::string backupFile = dir.File("A.BAK");
    TIBBackupService backup{"IBBackupService"};
    TIBRestoreService restore{"IBRestoreService"};
};

TEST_F(EngineJobs, BackupThenRestoreKeepsTheRowsAndShrinksTheFile) {
    CreateTestDatabase({.Path = database, .Rows = 20000, .DeleteHalf = true});
    const std::int64_t sizeBefore = FileSizeOf(database);

    Backup(database, backupFile);
    ASSERT_GT(FileSizeOf(backupFile), 0);
    ASSERT_TRUE(std::filesystem::remove(database));
    Restore(backupFile, database);

    EXPECT_EQ(CountRows(database), 10000);
    EXPECT_LT(FileSizeOf(database), sizeBefore);
    EXPECT_FALSE(backup.Active());
    EXPECT_FALSE(restore.Active());
}

TEST_F(EngineJobs, VerboseOutputReachesTheCallbackLineByLine) {
    CreateTestDatabase({.Path = database, .Rows = 10});
    PrepareStep(backup);
    backup.DatabaseName = database;
    backup.BackupFile.Add(backupFile);
    backup.Verbose = true;
    const std::vector<std::string> lines = RunJob(backup);
    ASSERT_GT(lines.size(), 5u);
    for (const std::string& line : lines)
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.find("ROWS_T") != std::string::npos; }),
              lines.end());
}

struct TFailingJob {
    const char* Name;
    bool MissingDatabase; // else: the backup goes into a folder that does not exist
    const char* ServerText;
};

class FailingBackup : public EngineJobs, public testing::WithParamInterface<TFailingJob> {};

TEST_P(FailingBackup, RaisesTheServersTextAndLeavesNoAttachment) {
    const TFailingJob& job = GetParam();
    if (!job.MissingDatabase)
        CreateTestDatabase({.Path = database, .Rows = 10});
    const std::string target = job.MissingDatabase ? backupFile : dir.File("missing/A.BAK");
    try {
        Backup(database, target);
        FAIL() << "the job did not fail";
    } catch (const EIBInterBaseError& error) {
        EXPECT_NE(error.Message.find(job.ServerText), std::string::npos) << error.Message;
        EXPECT_NE(error.IBErrorCode, 0);
        EXPECT_LT(error.SQLCode, 0);
        EXPECT_NE(error.Message.back(), '.');
    }
    EXPECT_FALSE(backup.Active());
    EXPECT_FALSE(std::filesystem::exists(target));
}

INSTANTIATE_TEST_SUITE_P(Jobs, FailingBackup,
                         testing::Values(TFailingJob{"MissingDatabase", true, "I/O error during \"open\""},
                                         TFailingJob{"MissingFolder", false, "cannot open backup file"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EngineJobs, RestoreOfAMissingBackupRaisesTheServersText) {
    try {
        Restore(backupFile, database);
        FAIL() << "the job did not fail";
    } catch (const EIBInterBaseError& error) {
        EXPECT_NE(error.Message.find("A.BAK"), std::string::npos) << error.Message;
    }
    EXPECT_FALSE(std::filesystem::exists(database));
}

TEST_F(EngineJobs, WatcherKeepsTheCallingThreadFreeAndHandsBackLinesAndErrors) {
    CreateTestDatabase({.Path = database, .Rows = 20000});
    PrepareStep(backup);
    backup.DatabaseName = database;
    backup.BackupFile.Add(backupFile);
    backup.Verbose = true;
    backup.SetActive(true);
    backup.ServiceStart();
    std::vector<std::string> lines;
    {
        TServiceJobWatcher watcher;
        watcher.Start(backup);
        while (!watcher.Finished()) {
            const auto before = std::chrono::steady_clock::now();
            auto taken = watcher.TakeLines();
            lines.insert(lines.end(), taken.begin(), taken.end());
            EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(100));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        auto rest = watcher.TakeLines();
        lines.insert(lines.end(), rest.begin(), rest.end());
        EXPECT_NO_THROW(watcher.RethrowIfFailed());
    }
    backup.SetActive(false);
    EXPECT_GT(lines.size(), 5u);
    EXPECT_GT(FileSizeOf(backupFile), 0);

    // The same component, now writing into a folder that does not exist. The engine reports
    // that at the start or through the job, as the race between its job thread and the start
    // goes; either way the error reaches this thread.
    backup.BackupFile.Clear();
    backup.BackupFile.Add(dir.File("missing/A.BAK"));
    backup.SetActive(true);
    try {
        backup.ServiceStart();
        TServiceJobWatcher failing;
        failing.Start(backup);
        while (!failing.Finished())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        failing.RethrowIfFailed();
        ADD_FAILURE() << "the job did not fail";
    } catch (const EIBInterBaseError& error) {
        EXPECT_NE(error.Message.find("missing/A.BAK"), std::string::npos) << error.Message;
    }
    backup.SetActive(false);
}

} // namespace
