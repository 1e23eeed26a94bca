// What the next pick settles after a run that was cut short during its restore: only the
// restore's own output is removed or replaced, and never while something still has it open.
#include "RunRecovery.h"

#include "HeldFile.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

TRunRecord InterruptedRestore(const TTempDir& dir) {
    TRunRecord r;
    r.RunId = "0123456789abcdef";
    r.State = TRunState::RestoreStarted;
    r.Database = dir.File("shop.fdb");
    r.Backup = dir.File("shop.BAK");
    dir.Write("shop.BAK", "backup");
    r.BackupId = LookAt(r.Backup)->Id;
    return r;
}

// The run had moved the original aside before it was cut short.
void SetOriginalAside(const TTempDir& dir, TRunRecord& record) {
    dir.Write(".shop.fdb.morvane-original", "original");
    record.Aside = dir.File(".shop.fdb.morvane-original");
    record.Original = *LookAt(record.Aside);
}

// The run found no database at the path and restored into it; it was killed. Since then the
// user has put their database back at the path. That file is not the restore's output.
TEST(SettleGuard, AFileThatIsNotTheRestoresOutputIsNotDeleted) {
    TTempDir dir;
    TRunRecord record = InterruptedRestore(dir);
    ASSERT_TRUE(WriteRunRecord(record));
    dir.Write("shop.fdb", "the user's database, moved back after the crash");

    RecoverInterruptedRun(record.Database);
    EXPECT_TRUE(fs::exists(record.Database)) << "a file the run never made was deleted";
}

// Over TCP the server goes on with a restore after the program that asked for it died; the
// engine holds an exclusive lock on the file it writes. The original is not put back over a
// file that the server is still restoring into.
TEST(SettleGuard, NothingIsMovedWhileTheHalfRestoredFileIsHeldOpen) {
    TTempDir dir;
    TRunRecord record = InterruptedRestore(dir);
    SetOriginalAside(dir, record);
    ASSERT_TRUE(WriteRunRecord(record));
    dir.Write("shop.fdb", ""); // the restore's file, as it begins
    const THeldFile server(record.Database);

    const TSettleReport report = RecoverInterruptedRun(record.Database);
    EXPECT_TRUE(report.QuestionOpen()) << "settled while the restore's file was held open";
    EXPECT_TRUE(fs::exists(record.Aside));
}

} // namespace

// The run recorded where the original would go and was killed before the move: the original
// still stands at its path, and a server that serves it holds it open, as servers do. Only the
// record and the backup need settling; nobody has to be asked which file holds the data.
TEST(SettleGuard, AnOriginalThatNeverMovedIsSettledWhileAServerHasItOpen) {
    TTempDir dir;
    TRunRecord record = InterruptedRestore(dir);
    dir.Write("shop.fdb", "the original, never moved");
    record.Aside = dir.File(".shop.fdb.morvane-original");
    record.Original = *LookAt(record.Database);
    ASSERT_TRUE(WriteRunRecord(record));
    const THeldFile server(record.Database);

    const TSettleReport report = RecoverInterruptedRun(record.Database);
    EXPECT_EQ(report.Outcome, TSettleOutcome::OriginalInPlace) << "reason: " << report.Reason;
    EXPECT_FALSE(report.QuestionOpen());
}

// The set-aside original does not replace a file the restore did not write (here one the user
// put at the path after the crash): the question stays open and both files stay.
TEST(SettleGuard, AFileThatIsNotTheRestoresOutputIsNotReplacedByTheOriginal) {
    TTempDir dir;
    TRunRecord record = InterruptedRestore(dir);
    SetOriginalAside(dir, record);
    ASSERT_TRUE(WriteRunRecord(record));
    dir.Write("shop.fdb", "the user's database, put at the path after the crash");

    const TSettleReport report = RecoverInterruptedRun(record.Database);
    EXPECT_TRUE(report.QuestionOpen());
    EXPECT_EQ(dir.Read("shop.fdb"), "the user's database, put at the path after the crash");
    EXPECT_EQ(dir.Read(".shop.fdb.morvane-original"), "original");
}
