#include "CompactionRun.h"

#include "DatabasePaths.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <unistd.h>

namespace {

// A backup starts one transaction on the database (measured with Firebird 3, embedded and
// through a server, with the database open elsewhere or not). The engine's background garbage
// collector starts one more when the backup's reading hands it work: on a database made or
// rebuilt since anyone last read it, always through a server and now and then embedded. The
// window backs up once more then; by that time the garbage is gone.
constexpr std::uint32_t kBackupsOwnTransactions = 1;

std::string WithReason(const std::string& message, int error) {
    return message + " (" + SystemErrorText(error) + ")";
}

} // namespace

std::string NewRunId() {
    std::random_device random;
    char text[33];
    std::snprintf(text, sizeof text, "%08x%08x%08x%08x", random(), random(), random(), random());
    return text;
}

bool TCompactionRun::TPreparation::FoundSomething() const {
    return Lock == TLockState::Busy || Recovery.Outcome != TSettleOutcome::Nothing || Recovery.QuestionOpen();
}

TCompactionRun::TCompactionRun(std::string database)
    : database_(std::move(database)), backup_(BackupPathFor(database_)) {}

TCompactionRun::~TCompactionRun() {
    lock_.Release(!record_ && !questionOpen_);
}

TCompactionRun::TPreparation TCompactionRun::Prepare() {
    TPreparation preparation;
    if (lock_.Held()) {
        // Nobody else can have touched the run's files since; still, a file that is not ours
        // must not slip in unnoticed.
        const std::string stray = CheckOwnFiles();
        if (!stray.empty()) {
            questionOpen_ = true;
            preparation.Recovery.Stray = stray;
        }
        return preparation;
    }
    busy_ = false;
    lockError_.clear();
    switch (lock_.Acquire(RunLockPathFor(database_))) {
    case TRunLock::TResult::Busy:
        preparation.Lock = TLockState::Busy;
        busy_ = true;
        return preparation;
    case TRunLock::TResult::Failed: {
        preparation.Lock = TLockState::Failed;
        preparation.LockError = lockError_ = SystemErrorText(errno);
        // Whatever an earlier run left here cannot be settled without writing in this folder.
        TRunRecord ignored;
        if (ReadRunRecord(database_, ignored) != TRunRecordRead::Missing)
            preparation.Recovery.Outcome = TSettleOutcome::Unresolved;
        preparation.Recovery.Stray = FindStrayAside(database_, {});
        questionOpen_ = preparation.Recovery.QuestionOpen();
        return preparation;
    }
    case TRunLock::TResult::Acquired:
        break;
    }
    preparation.Recovery = RecoverInterruptedRun(database_);
    questionOpen_ = preparation.Recovery.QuestionOpen();
    return preparation;
}

std::string TCompactionRun::CheckOwnFiles() const {
    TRunRecord onDisk;
    const TRunRecordRead read = ReadRunRecord(database_, onDisk);
    const bool recordAsLeft = record_ ? read == TRunRecordRead::Read && onDisk.RunId == record_->RunId
                                      : read == TRunRecordRead::Missing;
    if (!recordAsLeft)
        return RunRecordPathFor(database_);
    return FindStrayAside(database_, record_ ? record_->Aside : std::string());
}

void TCompactionRun::Record(TRunState state) {
    TRunRecord next = *record_;
    next.State = state;
    if (!WriteRunRecord(next))
        throw ERunError(
            WithReason("작업 기록 " + RunRecordPathFor(database_) + "을(를) 쓸 수 없습니다", errno));
    record_ = next;
    if (OnRecorded)
        OnRecorded(state);
}

void TCompactionRun::ForgetRecord() {
    if (RemoveRunRecord(database_))
        record_.reset();
}

void TCompactionRun::StartBackup() {
    if (!lock_.Held())
        throw ERunError("작업 잠금 파일 " + RunLockPathFor(database_) + "을(를) 만들 수 없습니다 (" +
                        (busy_ ? std::string("다른 창이 쓰는 중") : lockError_) + ")");
    if (questionOpen_)
        throw ERunError("이전 작업의 파일을 정리하지 못해 백업하지 않습니다");
    const auto existing = LookAt(backup_);
    if (record_ && existing && existing->Id == record_->BackupId) {
        // A backup this run made before (an earlier attempt): it may be written again.
        Record(TRunState::BackupStarted);
    } else {
        // The backup holds every row of the database: nobody may read it who may not read the
        // database.
        const auto database = LookAt(database_);
        const unsigned mode = 0600 | (database ? database->Mode & 0066 : 0);
        TFileId id;
        if (!CreateNewFile(backup_, id, mode,
                           database ? std::optional<unsigned>(database->Gid) : std::nullopt)) {
            if (errno == EEXIST)
                throw ERunError("백업파일 " + backup_ +
                                "이(가) 이미 있습니다. 이 작업이 만든 파일이 아니므로 덮어쓰지 않습니다. "
                                "옮기거나 지운 뒤 다시 백업하십시오");
            throw ERunError(WithReason("백업파일 " + backup_ + "을(를) 만들 수 없습니다", errno));
        }
        if (database && !CopyAccessList(database_, backup_)) {
            const int error = errno;
            ::unlink(backup_.c_str());
            throw ERunError(WithReason("백업파일에 데이터베이스의 접근 목록을 줄 수 없습니다", error));
        }
        record_ = TRunRecord{};
        record_->RunId = NewRunId();
        record_->Database = database_;
        record_->Backup = backup_;
        record_->BackupId = id;
        try {
            Record(TRunState::BackupStarted);
        } catch (...) {
            ::unlink(backup_.c_str());
            record_.reset();
            throw;
        }
    }
    startedFrom_ = LookAt(database_);
    nextTransactionAtStart_ = ReadNextTransaction(database_);
    pageSize_ = ReadDatabasePageSize(database_);
}

void TCompactionRun::BackupWritten() {
    // Taken once the job has ended: the backup's own attachment writes to the database.
    const auto now = LookAt(database_);
    if (!startedFrom_ || !now || now->Id != startedFrom_->Id)
        throw ERunError("백업하는 동안 데이터베이스 파일이 다른 파일로 바뀌었습니다. 다시 백업하십시오");
    // The backup holds the database as its own transaction, the one it starts, saw it. Through a
    // server, other programs may work on the database meanwhile, and what they commit after
    // that start is not in the backup: any other transaction refuses the backup.
    const auto nextNow = ReadNextTransaction(database_);
    if (nextTransactionAtStart_ && nextNow &&
        static_cast<std::uint32_t>(*nextNow - *nextTransactionAtStart_) > kBackupsOwnTransactions)
        throw EWorkedOnDuringBackup(
            "백업하는 동안 다른 프로그램이 데이터베이스를 썼거나 읽었습니다. 그 내용이 백업에 "
            "없을 수 있으므로 이 백업은 지웁니다. 다른 연결을 모두 끊고 다시 백업하십시오");
    record_->BackedUpDatabase = now;
    record_->BackedUpHeader = ReadHeaderPageDigest(database_);
    writtenBackup_ = LookAt(backup_);
    Record(TRunState::BackedUp);
}

void TCompactionRun::BackupFailed() {
    if (!record_ || record_->State != TRunState::BackupStarted)
        return;
    // The half-written file is this run's own and holds nothing anybody needs.
    const auto facts = LookAt(backup_);
    if (facts && facts->Id == record_->BackupId)
        ::unlink(backup_.c_str());
    ForgetRecord();
}

bool TCompactionRun::HasOwnBackup() const {
    if (!record_ || record_->State == TRunState::BackupStarted)
        return false;
    const auto facts = LookAt(backup_);
    return facts && facts->Regular && facts->Id == record_->BackupId;
}

void TCompactionRun::SetOriginalAside() {
    if (!record_ || record_->State != TRunState::BackedUp || questionOpen_)
        throw ERunError("이 작업의 백업이 끝난 상태가 아니어서 최적화하지 않습니다");
    // The restore reads the backup as it is now. One written to since its job ended (cut short,
    // or overwritten with another database's backup) would rebuild something else in the
    // database's place: the engine ends a restore from a cut-off backup without an error.
    const auto backupNow = LookAt(backup_);
    if (!writtenBackup_ || !backupNow || !backupNow->SameUnchanged(*writtenBackup_))
        throw EChangedSinceBackup("백업이 끝난 뒤에 백업파일이 바뀌었습니다. 그 파일로는 최적화하지 않습니다. "
                                  "다시 백업하십시오");
    const auto original = LookAt(database_);
    if (!original) {
        // Nothing to keep: the restore makes the file.
        record_->Aside.clear();
        record_->Original = {};
        Record(TRunState::RestoreStarted);
        return;
    }
    if (!original->Regular)
        throw ERunError(database_ + "은(는) 보통 파일이 아닙니다");
    const std::optional<TFileFacts>& backedUp = record_->BackedUpDatabase;
    if (backedUp && (!original->SameUnchanged(*backedUp) || !HeaderAsBackedUp(*record_, database_)))
        throw EChangedSinceBackup("백업한 뒤에 데이터베이스가 바뀌었습니다. 바뀐 내용은 백업에 없으므로 "
                                  "최적화하지 않습니다. 다시 백업하십시오");
    std::string aside;
    for (int attempt = 0; attempt < kAsideAttempts && aside.empty(); ++attempt)
        if (!LookAt(AsidePathFor(database_, attempt)))
            aside = AsidePathFor(database_, attempt);
    if (aside.empty())
        throw ERunError("기존파일을 옮겨 둘 이름이 없습니다");
    record_->Aside = aside;
    record_->Original = *original;
    Record(TRunState::RestoreStarted);
    if (!RenameFileNoReplace(database_, aside)) {
        const int error = errno;
        // The original never moved. Until that is on the disk, the run goes on knowing where
        // it would have been: a run that forgot it would take the original for a half-made
        // restore.
        record_->Aside.clear();
        try {
            Record(TRunState::BackedUp);
        } catch (...) {
            record_->Aside = aside;
            throw;
        }
        throw ERunError(WithReason("기존파일을 옮겨 둘 수 없습니다", error));
    }
    SyncFolderOf(database_);
    replacedSize_ = original->Size;
    // Between the checks and the move another program may have attached and written: then the
    // backup lacks it, and the original goes back.
    const auto moved = LookAt(aside);
    if (!moved || !moved->SameUnchanged(*original) || !HeaderAsBackedUp(*record_, aside) || IsFileHeldOpen(aside)) {
        if (!RenameFileNoReplace(aside, database_))
            // Still aside, and the record says where: the failed step's put-back tries again.
            throw ERunError(WithReason("다른 프로그램이 바꾼 기존파일을 제자리로 되돌리지 못했습니다", errno));
        SyncFolderOf(database_);
        record_->Aside.clear();
        Record(TRunState::BackedUp);
        throw EChangedSinceBackup("기존파일을 옮기는 동안 다른 프로그램이 데이터베이스를 열었거나 바꾸었습니다. "
                                  "다시 백업하십시오");
    }
}

void TCompactionRun::RebuildFinished() {
    const auto rebuilt = LookAt(database_);
    if (!rebuilt || !rebuilt->Regular)
        throw ERunError("복원이 끝났다고 했으나 데이터베이스 파일이 없습니다");
    if (!record_->Aside.empty() &&
        (!CopyOwnerAndMode(database_, record_->Original) || !CopyAccessList(record_->Aside, database_)))
        throw ERunError(
            WithReason("새 데이터베이스 파일에 기존파일의 소유자, 그룹, 권한을 줄 수 없습니다", errno));
    if (!SyncFile(database_))
        throw ERunError(WithReason("새 데이터베이스 파일을 디스크에 쓸 수 없습니다", errno));
    switch (ReadDatabaseState(database_)) {
    case TDatabaseState::Online:
        break;
    case TDatabaseState::ShutDown:
        throw ERunError("복원된 데이터베이스가 닫힌(shutdown) 상태입니다. 복원이 인덱스를 모두 활성화하지 "
                        "못했습니다");
    case TDatabaseState::Unreadable:
        throw ERunError("복원된 데이터베이스 파일의 머리 페이지를 읽을 수 없습니다");
    }
    if (!record_->Aside.empty()) {
        const auto aside = LookAt(record_->Aside);
        if (!aside || !aside->SameUnchanged(record_->Original) || !HeaderAsBackedUp(*record_, record_->Aside) ||
            IsFileHeldOpen(record_->Aside))
            throw ERunError("옮겨 둔 기존파일이 그 사이에 바뀌었습니다. 백업에 없는 내용이 있으므로 기존파일을 "
                            "되돌립니다");
    }
    record_->RebuiltId = rebuilt->Id;
    Record(TRunState::RestoreFinished);
    // From here on the rebuilt database is the data; the original aside is only a spare.
    if (!record_->Aside.empty() && ::unlink(record_->Aside.c_str()) == 0 && SyncFolderOf(database_)) {
        // The record on the disk already keeps the rebuilt database, and settling it from there
        // deletes nothing more: a record that cannot be brought up to date is no failed optimise.
        try {
            Record(TRunState::Optimised);
        } catch (const ERunError&) {
        }
    }
}

TCompactionRun::TPutBack TCompactionRun::PutOriginalBack(std::string& error) {
    if (!record_ || record_->State != TRunState::RestoreStarted)
        return TPutBack::NothingMoved;
    if (record_->Aside.empty()) {
        // There was no original; the backup holds the data. A half-made file must not pass
        // for a database - but a file that is the original itself is never taken for one.
        const auto atPath = LookAt(database_);
        if (atPath && record_->Original.Id != TFileId{} && atPath->Id == record_->Original.Id) {
            Record(TRunState::BackedUp);
            return TPutBack::NothingMoved;
        }
        if (IsRestoreOutput(database_))
            ::unlink(database_.c_str());
        Record(TRunState::BackedUp);
        return TPutBack::NothingMoved;
    }
    if (!LookAt(record_->Aside)) {
        const auto atPath = LookAt(database_);
        if (atPath && atPath->Id == record_->Original.Id) {
            Record(TRunState::BackedUp); // the move itself never happened
            return TPutBack::NothingMoved;
        }
    }
    if (!RenameFileReplacing(record_->Aside, database_) || !SyncFolderOf(database_)) {
        error = WithReason("기존파일 " + record_->Aside + "을(를) 되돌리지 못했습니다", errno);
        questionOpen_ = true;
        return TPutBack::Failed;
    }
    record_->Aside.clear();
    Record(TRunState::BackedUp);
    return TPutBack::PutBack;
}

TSettleReport TCompactionRun::Finish() {
    return End(false);
}

TSettleReport TCompactionRun::End(bool keepBackup) {
    TSettleReport report;
    if (record_ && record_->State != TRunState::RestoreStarted) {
        report = SettleRun(*record_, !keepBackup);
        if (!report.QuestionOpen())
            ForgetRecord();
    }
    if (!record_ && !questionOpen_)
        lock_.Release(true);
    return report;
}
