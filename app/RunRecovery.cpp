#include "RunRecovery.h"

#include "DatabaseHeader.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace {

// A folder can hold millions of names; reading more than this to look for one is not worth
// holding the window for.
constexpr std::size_t kMaxFolderNames = 1'000'000;

// The original as the record keeps it, not written to since it was set aside.
bool IsOriginal(const std::string& path, const TRunRecord& record) {
    const auto facts = LookAt(path);
    return facts && facts->Regular && facts->SameUnchanged(record.Original) && HeaderAsBackedUp(record, path);
}

bool IsFile(const std::string& path, const TFileId& id) {
    const auto facts = LookAt(path);
    return facts && facts->Regular && facts->Id == id;
}

// Deletes the file only while it is still the one the record names.
bool DeleteIfSame(const std::string& path, const TFileId& id) {
    if (!IsFile(path, id))
        return false;
    return ::unlink(path.c_str()) == 0 && SyncFolderOf(path);
}

// The database the backup was made from is at its path: the same file (written to since,
// maybe). A record of an older version says only that some database must be there.
bool IsBackedUpDatabase(const TRunRecord& record) {
    if (record.BackedUpDatabase)
        return IsFile(record.Database, record.BackedUpDatabase->Id);
    const auto facts = LookAt(record.Database);
    return facts && facts->Regular;
}

void SettleBackup(const TRunRecord& record, bool removeBackup, TSettleReport& report) {
    if (removeBackup)
        report.BackupRemoved = DeleteIfSame(record.Backup, record.BackupId);
    report.BackupLeft = LookAt(record.Backup).has_value();
}

// Whether the file at the database path may be deleted or replaced as the restore's half-made
// output. Anything else there (a file somebody put back after the crash, say) is not ours to
// touch, and neither is a file held open: a server may still be restoring into it, as a job
// outlives the program that asked for it.
bool MayDiscardAtPath(const TRunRecord& record, TSettleReport& report) {
    if (!LookAt(record.Database))
        return true;
    report.Outcome = TSettleOutcome::Unresolved;
    if (!IsRestoreOutput(record.Database)) {
        report.Reason = "데이터베이스 자리에 있는 파일이 복원이 만들던 파일이 아닙니다";
        return false;
    }
    if (IsFileHeldOpen(record.Database)) {
        report.Reason = "데이터베이스 자리에 있는 파일을 다른 프로그램이 열고 있습니다";
        return false;
    }
    report.Outcome = TSettleOutcome::Nothing;
    return true;
}

void SettleInterruptedRestore(const TRunRecord& record, bool removeBackup, TSettleReport& report) {
    const auto atPath = LookAt(record.Database);
    if (record.Aside.empty()) {
        // Nothing stood at the path when the restore began: the restore's half-made output
        // goes, and the backup is the only copy of the data.
        if (!MayDiscardAtPath(record, report))
            return;
        if (atPath && ::unlink(record.Database.c_str()) != 0) {
            report.Outcome = TSettleOutcome::Unresolved;
            report.Reason = SystemErrorText(errno);
            return;
        }
        SyncFolderOf(record.Database);
        report.Outcome = TSettleOutcome::NoOriginal;
        SettleBackup(record, false, report);
        return;
    }
    if (IsOriginal(record.Aside, record)) {
        if (!MayDiscardAtPath(record, report))
            return;
        if (!RenameFileReplacing(record.Aside, record.Database)) {
            report.Outcome = TSettleOutcome::Unresolved;
            report.Reason = SystemErrorText(errno);
            return;
        }
        SyncFolderOf(record.Database);
        report.Outcome = TSettleOutcome::OriginalPutBack;
    } else if (IsOriginal(record.Database, record)) {
        report.Outcome = TSettleOutcome::OriginalInPlace;
    } else if (IsFile(record.Database, record.Original.Id) && !LookAt(record.Aside)) {
        // The very file that was set aside is at its path again and no longer aside, written
        // to since (put back by hand, and opened to look at it): it holds the newest data, and
        // the run's backup is older than it.
        report.Outcome = TSettleOutcome::OriginalReturned;
    } else {
        report.Outcome = TSettleOutcome::Unresolved;
        report.Reason = "옮겨 둔 원본이 없고, 데이터베이스 자리의 파일도 옮기기 전 원본 그대로가 아닙니다";
        return;
    }
    SettleBackup(record, removeBackup, report);
}

void SettleFinishedRestore(const TRunRecord& record, bool removeBackup, TSettleReport& report) {
    if (!IsFile(record.Database, record.RebuiltId)) {
        report.Outcome = TSettleOutcome::Unresolved;
        report.Reason = "복원한 데이터베이스가 그 자리에 없거나 다른 파일로 바뀌었습니다";
        return;
    }
    if (!record.Aside.empty() && IsOriginal(record.Aside, record)) {
        if (::unlink(record.Aside.c_str()) != 0 || !SyncFolderOf(record.Aside)) {
            report.Outcome = TSettleOutcome::Unresolved;
            report.Reason = SystemErrorText(errno);
            return;
        }
        report.OriginalRemoved = true;
    }
    report.Outcome = TSettleOutcome::RebuildKept;
    SettleBackup(record, removeBackup, report);
}

} // namespace

bool HeaderAsBackedUp(const TRunRecord& record, const std::string& path) {
    return !record.BackedUpHeader || ReadHeaderPageDigest(path) == record.BackedUpHeader;
}

bool IsRestoreOutput(const std::string& path) {
    const auto facts = LookAt(path);
    return facts && facts->Regular && (facts->Size == 0 || ReadDatabaseState(path) == TDatabaseState::ShutDown);
}

TSettleReport SettleRun(const TRunRecord& record, bool removeBackup) {
    TSettleReport report;
    report.State = record.State;
    switch (record.State) {
    case TRunState::BackupStarted:
        // A backup that never finished holds nothing anybody needs.
        report.Outcome = TSettleOutcome::DatabaseUntouched;
        SettleBackup(record, removeBackup, report);
        break;
    case TRunState::BackedUp:
        // The finished backup goes only while the database it was made from is still at its
        // path: otherwise it may be the only copy of the data.
        if (!IsBackedUpDatabase(record)) {
            report.Outcome = TSettleOutcome::DatabaseGone;
            SettleBackup(record, false, report);
            break;
        }
        report.Outcome = TSettleOutcome::DatabaseUntouched;
        SettleBackup(record, removeBackup, report);
        break;
    case TRunState::RestoreStarted:
        SettleInterruptedRestore(record, removeBackup, report);
        break;
    case TRunState::RestoreFinished:
    case TRunState::Optimised:
        SettleFinishedRestore(record, removeBackup, report);
        break;
    }
    return report;
}

TSettleReport RecoverInterruptedRun(const std::string& database) {
    TRunRecord record;
    TSettleReport report;
    switch (ReadRunRecord(database, record)) {
    case TRunRecordRead::Unreadable:
        report.Outcome = TSettleOutcome::Unreadable;
        return report;
    case TRunRecordRead::Missing:
        break;
    case TRunRecordRead::Read:
        report = SettleRun(record, true);
        if (report.QuestionOpen())
            return report;
        if (!RemoveRunRecord(database)) {
            report.Outcome = TSettleOutcome::Unresolved;
            report.Reason = SystemErrorText(errno);
            return report;
        }
        break;
    }
    report.Stray = FindStrayAside(database, {});
    return report;
}

std::string FindStrayAside(const std::string& database, const std::string& known) {
    std::vector<std::string> names;
    ListFolder(FolderOf(database), kMaxFolderNames, names);
    const std::string knownName = known.empty() ? std::string() : NameOf(known);
    for (const std::string& name : names)
        if (name != knownName && IsAsideNameOf(name, database))
            return PathBeside(database, name);
    return {};
}
