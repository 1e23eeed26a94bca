// Settling a run from its record, on plain files standing in for the database, its backup and
// the set-aside original: every state, with the files as the record says and as it does not.
#include "RunRecovery.h"

#include "DatabaseHeader.h"
#include "TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class RunRecoveryTest : public ::testing::Test {
protected:
    // A record as the run writes it, with the files it names made as they would be.
    TRunRecord Record(TRunState state) {
        TRunRecord r;
        r.RunId.assign(1, '1');
        r.State = state;
        r.Database = db;
        r.Backup = bak;
        dir.Write("shop.BAK", "backup");
        r.BackupId = LookAt(bak)->Id;
        if (state == TRunState::BackupStarted || state == TRunState::BackedUp) {
            dir.Write("shop.fdb", "original");
            return r;
        }
        dir.Write(".shop.fdb.morvane-original", "original");
        r.Aside = aside;
        r.Original = *LookAt(aside);
        if (state != TRunState::RestoreStarted) {
            dir.Write("shop.fdb", "rebuilt");
            r.RebuiltId = LookAt(db)->Id;
        } else {
            dir.Write("shop.fdb", ""); // as a restore leaves it when it has just begun
        }
        return r;
    }

    TTempDir dir;
    const std::string db = dir.File("shop.fdb");
    const std::string bak = dir.File("shop.BAK");
    const std::string aside = dir.File(".shop.fdb.morvane-original");
};

TEST_F(RunRecoveryTest, EveryStateComesToRestWithNothingLost) {
    struct TCase {
        TRunState State;
        TSettleOutcome Outcome;
        const char* Database; // what the database file holds afterwards
    };
    const TCase cases[] = {
        {TRunState::BackupStarted, TSettleOutcome::DatabaseUntouched, "original"},
        {TRunState::BackedUp, TSettleOutcome::DatabaseUntouched, "original"},
        {TRunState::RestoreStarted, TSettleOutcome::OriginalPutBack, "original"},
        {TRunState::RestoreFinished, TSettleOutcome::RebuildKept, "rebuilt"},
        {TRunState::Optimised, TSettleOutcome::RebuildKept, "rebuilt"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(RunStateName(c.State));
        const TRunRecord record = Record(c.State);
        const TSettleReport report = SettleRun(record, true);
        EXPECT_EQ(report.Outcome, c.Outcome);
        EXPECT_FALSE(report.QuestionOpen());
        EXPECT_TRUE(report.BackupRemoved);
        EXPECT_EQ(dir.Read("shop.fdb"), c.Database);
        EXPECT_EQ(dir.Listing(), "shop.fdb;");
    }
}

TEST_F(RunRecoveryTest, TheBackupStaysWhenAskedOrWhenItIsNotTheRunsOwn) {
    SettleRun(Record(TRunState::BackedUp), false);
    EXPECT_EQ(dir.Listing(), "shop.BAK;shop.fdb;");

    const TRunRecord record = Record(TRunState::Optimised);
    fs::remove(bak);
    dir.Write("shop.BAK", "the user's own, made after the crash");
    const TSettleReport report = SettleRun(record, true);
    EXPECT_FALSE(report.BackupRemoved);
    EXPECT_TRUE(report.BackupLeft);
    EXPECT_EQ(dir.Read("shop.BAK"), "the user's own, made after the crash");
}

// A finished backup is the only copy of its data once the database it was made from is gone
// from the path: it stays, whatever is asked. Written to since, the database is still the data.
TEST_F(RunRecoveryTest, AFinishedBackupStaysWhileItsDatabaseIsGone) {
    struct TCase {
        const char* What;
        std::function<void(const std::string& db)> Change;
        TSettleOutcome Outcome;
        bool BackupRemoved;
    };
    const TCase cases[] = {
        {"moved away", [](const std::string& db) { fs::remove(db); }, TSettleOutcome::DatabaseGone, false},
        {"another file in its place",
         [](const std::string& db) {
             fs::rename(db, db + ".old");
             std::ofstream(db) << "another";
         },
         TSettleOutcome::DatabaseGone, false},
        {"written to since", [](const std::string& db) { std::ofstream(db, std::ios::app) << "more"; },
         TSettleOutcome::DatabaseUntouched, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TRunRecord record = Record(TRunState::BackedUp);
        record.BackedUpDatabase = LookAt(db);
        c.Change(db);
        const TSettleReport report = SettleRun(record, true);
        EXPECT_EQ(report.Outcome, c.Outcome);
        EXPECT_FALSE(report.QuestionOpen());
        EXPECT_EQ(report.BackupRemoved, c.BackupRemoved);
        EXPECT_EQ(fs::exists(bak), !c.BackupRemoved);
        fs::remove(db + ".old");
        fs::remove(bak);
    }
}

// Killed during the restore, and the user put the original back by hand and opened it: the
// same file, written to since. It stays as it is, and the run's older backup goes.
TEST_F(RunRecoveryTest, AnOriginalPutBackByHandAndWrittenToStays) {
    const TRunRecord record = Record(TRunState::RestoreStarted);
    fs::rename(aside, db);
    std::ofstream(db, std::ios::app) << " and a commit";
    const TSettleReport report = SettleRun(record, true);
    EXPECT_EQ(report.Outcome, TSettleOutcome::OriginalReturned);
    EXPECT_FALSE(report.QuestionOpen());
    EXPECT_EQ(dir.Read("shop.fdb"), "original and a commit");
    EXPECT_EQ(dir.Listing(), "shop.fdb;") << "the run's backup goes";
}

TEST_F(RunRecoveryTest, OriginalNotYetMovedOrAlreadyBack) {
    TRunRecord record = Record(TRunState::RestoreStarted);
    // The record was written, the rename had not happened: the original is still at the path.
    fs::remove(db);
    fs::rename(aside, db);
    const TSettleReport report = SettleRun(record, true);
    EXPECT_EQ(report.Outcome, TSettleOutcome::OriginalInPlace);
    EXPECT_EQ(dir.Read("shop.fdb"), "original");
    EXPECT_EQ(dir.Listing(), "shop.fdb;");
}

// A restore with no original (the database was gone before it began): its half-made output
// goes, and the backup, the only copy of the data, stays whatever is asked.
TEST_F(RunRecoveryTest, RestoreWithoutAnOriginalKeepsTheBackup) {
    TRunRecord record = Record(TRunState::RestoreStarted);
    dir.Write("shop.fdb", ""); // the restore had only just made its file
    fs::remove(aside);
    record.Aside.clear();
    record.Original = {};
    const TSettleReport report = SettleRun(record, true);
    EXPECT_EQ(report.Outcome, TSettleOutcome::NoOriginal);
    EXPECT_FALSE(report.BackupRemoved);
    EXPECT_EQ(dir.Listing(), "shop.BAK;");
}

TEST_F(RunRecoveryTest, FilesThatDoNotMatchAreLeftAsTheyAre) {
    struct TCase {
        const char* Label;
        TRunState State;
        void (*Change)(const TTempDir&);
    };
    const TCase cases[] = {
        {"original changed while aside", TRunState::RestoreStarted,
         [](const TTempDir& d) {
             d.Write(".shop.fdb.morvane-original", "changed!");
         }},
        {"original gone", TRunState::RestoreStarted,
         [](const TTempDir& d) {
             fs::remove(d.File(".shop.fdb.morvane-original"));
         }},
        {"rebuilt database replaced", TRunState::RestoreFinished,
         [](const TTempDir& d) {
             fs::remove(d.File("shop.fdb"));
             d.Write("shop.fdb", "another");
         }},
        {"rebuilt database gone", TRunState::Optimised,
         [](const TTempDir& d) {
             fs::remove(d.File("shop.fdb"));
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Label);
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            fs::remove(entry.path());
        const TRunRecord record = Record(c.State);
        c.Change(dir);
        const std::string listing = dir.Listing();
        const TSettleReport report = SettleRun(record, true);
        EXPECT_EQ(report.Outcome, TSettleOutcome::Unresolved);
        EXPECT_TRUE(report.QuestionOpen());
        EXPECT_EQ(dir.Listing(), listing) << "nothing may be touched";
    }
}

// Written to where the file system keeps times to the second: size and time as recorded, the
// header page not. The original aside is neither put back nor deleted as if it were unchanged.
TEST_F(RunRecoveryTest, AnOriginalWrittenToWithoutItsTimeChangingIsLeftAsItIs) {
    for (const TRunState state : {TRunState::RestoreStarted, TRunState::RestoreFinished}) {
        SCOPED_TRACE(RunStateName(state));
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            fs::remove(entry.path());
        TRunRecord record = Record(state);
        std::string page(8192, 'p');
        dir.Write(".shop.fdb.morvane-original", page);
        record.Original = *LookAt(aside);
        record.BackedUpHeader = ReadHeaderPageDigest(aside);
        ASSERT_TRUE(record.BackedUpHeader);
        page[100] = 'q';
        dir.Write(".shop.fdb.morvane-original", page);
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {static_cast<time_t>(record.Original.ModifiedNs / 1000000000),
                                    static_cast<long>(record.Original.ModifiedNs % 1000000000)}};
        ASSERT_EQ(::utimensat(AT_FDCWD, aside.c_str(), times, 0), 0);
        ASSERT_TRUE(LookAt(aside)->SameUnchanged(record.Original));
        const std::string listing = dir.Listing();
        const TSettleReport report = SettleRun(record, true);
        EXPECT_TRUE(fs::exists(aside)) << "the changed original must stay";
        if (state == TRunState::RestoreStarted) {
            EXPECT_EQ(report.Outcome, TSettleOutcome::Unresolved);
            EXPECT_EQ(dir.Listing(), listing) << "nothing may be touched";
        }
    }
}

TEST_F(RunRecoveryTest, SetAsideFilesWithoutARecord) {
    dir.Write("shop.fdb", "db");
    EXPECT_EQ(FindStrayAside(db, {}), "");
    dir.Write(".shop.fdb.morvane-original.3", "old");
    EXPECT_EQ(FindStrayAside(db, {}), dir.File(".shop.fdb.morvane-original.3"));
    EXPECT_EQ(FindStrayAside(db, dir.File(".shop.fdb.morvane-original.3")), "") << "the run's own";
    const TSettleReport report = RecoverInterruptedRun(db);
    EXPECT_TRUE(report.QuestionOpen());
    EXPECT_EQ(report.Stray, dir.File(".shop.fdb.morvane-original.3"));
    EXPECT_EQ(dir.Read(".shop.fdb.morvane-original.3"), "old");
}

} // namespace
