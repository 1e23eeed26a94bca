#pragma once
// One compaction run of one picked database: the files it makes, moves and deletes, each move
// recorded durably beforehand (RunJournal.h), under a lock that keeps every other run off the
// same database. The window drives it step by step and shows what it reports; the server's
// jobs themselves are the window's business.

#include "DatabaseHeader.h"
#include "Exceptions.h"
#include "RunJournal.h"
#include "RunLock.h"
#include "RunRecovery.h"

#include <functional>
#include <optional>
#include <string>

// A refusal or failure of the run's own (not the server's), with a message for the user.
class ERunError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "ERunError"; }
};

// The database was written to after its backup: a restore from that backup would lose it.
class EChangedSinceBackup : public ERunError {
public:
    using ERunError::ERunError;
    const char* ClassName() const noexcept override { return "EChangedSinceBackup"; }
};

// Transactions other than the backup's own ran on the database while it was backed up. Another
// program's work may be missing from the backup; or the engine itself collected garbage in the
// background, which a database leaves after it was made or rebuilt and which the backup's reading
// hands over: a second backup of a quiet database finds none left.
class EWorkedOnDuringBackup : public EChangedSinceBackup {
public:
    using EChangedSinceBackup::EChangedSinceBackup;
    const char* ClassName() const noexcept override { return "EWorkedOnDuringBackup"; }
};

class TCompactionRun {
public:
    // The backup path is derived from the database path (its last three characters replaced).
    explicit TCompactionRun(std::string database);
    // Lets go of the lock. A record still on the disk stays for the next run to settle.
    ~TCompactionRun();
    TCompactionRun(const TCompactionRun&) = delete;
    TCompactionRun& operator=(const TCompactionRun&) = delete;

    const std::string& Database() const { return database_; }
    const std::string& Backup() const { return backup_; }

    enum class TLockState { Held, Busy, Failed };
    struct TPreparation {
        TLockState Lock = TLockState::Held;
        std::string LockError; // why the lock file could not be made
        TSettleReport Recovery;
        // Something of an earlier run was found, whether or not it could be settled.
        bool FoundSomething() const;
    };
    // Before anything touches the database: takes the lock and settles whatever an earlier,
    // interrupted run left. Does nothing once the lock is held and the run's files are as it
    // left them.
    TPreparation Prepare();
    // True while no step may run: the lock is not held, or an earlier run's files could not be
    // told apart.
    bool Blocked() const { return !lock_.Held() || questionOpen_; }
    // False while another window works on the database or an earlier run's files could not be
    // told apart: the backup step is not offered.
    bool MayStart() const { return !questionOpen_ && !busy_; }

    // The size of the original database when the optimise set it aside; nothing before that.
    std::optional<std::int64_t> ReplacedSize() const { return replacedSize_; }

    // The page size to rebuild at, read from the database before its backup.
    int PageSize() const { return pageSize_; }

    // Backup step: claims the backup path (refusing a file this run did not make), records it,
    // and reads the page size. Then one of BackupWritten or BackupFailed.
    void StartBackup();
    void BackupWritten();
    void BackupFailed();
    // True when the file at the backup path is the complete backup this run wrote.
    bool HasOwnBackup() const;

    // Optimise step: moves the original aside (recorded first); refuses (EChangedSinceBackup)
    // a database written to since its backup, and a backup file written to since its job
    // ended. Then one of RebuildFinished or PutOriginalBack.
    void SetOriginalAside();
    // The rebuilt database takes the original's owner, group and mode, is flushed, and must be
    // online (a restore that could not activate an index leaves it shut down without an
    // error); only then is the original deleted. Raises (the original still aside) when any
    // of it fails.
    void RebuildFinished();
    enum class TPutBack { NothingMoved, PutBack, Failed };
    // After a failed restore: the original replaces whatever the restore left at the path.
    TPutBack PutOriginalBack(std::string& error);

    // Confirm step: the backup goes, the run ends. The report tells whether the files could be
    // tidied away; while its question is open, every file and the record stay.
    TSettleReport Finish();
    // Exit, or another pick: the run ends; its backup goes unless keepBackup.
    TSettleReport End(bool keepBackup);

    // Called after each durable record, with the state written.
    std::function<void(TRunState)> OnRecorded;

private:
    void Record(TRunState state);
    void ForgetRecord();
    std::string CheckOwnFiles() const;

    std::string database_, backup_;
    TRunLock lock_;
    std::optional<TRunRecord> record_;
    bool questionOpen_ = false;
    bool busy_ = false;
    std::string lockError_;
    int pageSize_ = kDefaultPageSize;
    std::optional<TFileFacts> startedFrom_; // the database as the backup began
    std::optional<std::uint32_t> nextTransactionAtStart_; // its header's, as the backup began
    std::optional<TFileFacts> writtenBackup_; // the backup file as its job left it
    std::optional<std::int64_t> replacedSize_;
};

// Hard to guess, so two runs never share an id.
std::string NewRunId();
