// A run record found beside a database is settled only for the files a run of that database can
// have made: its own backup name and its own set-aside names. A record that names any other file
// of the folder (a damaged record, or one planted by another user of a shared folder) must not
// make the next pick delete or replace that file.
#include "RunRecovery.h"

#include "TempDir.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TRunRecord RecordFor(const std::string& db, TRunState state) {
    TRunRecord r;
    r.RunId = "0123456789abcdef";
    r.State = state;
    r.Database = db;
    return r;
}

TEST(RecordTrust, ARecordNamingTheDatabaseAsItsBackupDoesNotDeleteIt) {
    TTempDir dir;
    const std::string db = dir.File("shop.fdb");
    dir.Write("shop.fdb", "the only copy");
    TRunRecord record = RecordFor(db, TRunState::BackupStarted);
    record.Backup = db; // not shop.BAK
    record.BackupId = LookAt(db)->Id;
    ASSERT_TRUE(WriteRunRecord(record));

    RecoverInterruptedRun(db);
    EXPECT_TRUE(fs::exists(db)) << "the database was deleted as if it were the run's backup";
}

TEST(RecordTrust, ARecordNamingAnotherFileAsTheSetAsideOriginalDoesNotPutItInPlace) {
    TTempDir dir;
    const std::string db = dir.File("shop.fdb");
    dir.Write("shop.fdb", "the only copy");
    dir.Write("planted", "someone else's file");
    TRunRecord record = RecordFor(db, TRunState::RestoreStarted);
    record.Backup = dir.File("shop.BAK");
    record.Aside = dir.File("planted"); // not .shop.fdb.morvane-original
    record.Original = *LookAt(record.Aside);
    ASSERT_TRUE(WriteRunRecord(record));

    RecoverInterruptedRun(db);
    EXPECT_EQ(dir.Read("shop.fdb"), "the only copy") << "another file was renamed over the database";
}

TEST(RecordTrust, ARecordNamingAnotherDatabaseAsItsBackupDoesNotDeleteIt) {
    TTempDir dir;
    const std::string db = dir.File("shop.fdb");
    dir.Write("shop.fdb", "db");
    dir.Write("payroll.fdb", "another database");
    TRunRecord record = RecordFor(db, TRunState::BackedUp);
    record.Backup = dir.File("payroll.fdb");
    record.BackupId = LookAt(record.Backup)->Id;
    ASSERT_TRUE(WriteRunRecord(record));

    RecoverInterruptedRun(db);
    EXPECT_TRUE(fs::exists(dir.File("payroll.fdb")));
}

// A FIFO left where the record's temporary file goes must not stop the window: writing the
// record would otherwise wait in open() for a reader that never comes.
TEST(RecordTrust, AFifoAtTheRecordsTemporaryNameDoesNotBlockTheWrite) {
    TTempDir dir;
    const std::string db = dir.File("shop.fdb");
    dir.Write("shop.fdb", "db");
    const std::string temp = RunRecordPathFor(db) + ".new";
    ASSERT_EQ(::mkfifo(temp.c_str(), 0666), 0);
    std::atomic<bool> done{false};
    std::atomic<int> rescues{0};
    std::thread rescuer([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!done && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        // Still waiting: a reader releases the writer, so the test ends.
        while (!done) {
            const int fd = ::open(temp.c_str(), O_RDONLY | O_NONBLOCK);
            if (fd >= 0) {
                ++rescues;
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                ::close(fd);
            }
        }
    });
    TRunRecord record = RecordFor(db, TRunState::BackupStarted);
    record.Backup = dir.File("shop.BAK");
    WriteRunRecord(record);
    done = true;
    rescuer.join();
    EXPECT_EQ(rescues.load(), 0) << "writing the record waited for a reader of a FIFO";
}

} // namespace
