#pragma once
// Brings the files of a compaction run to rest, deciding from the run's record alone: after a
// crash (the record of a run that is no longer running) and at the orderly end of a run.

#include "RunJournal.h"

#include <string>

enum class TSettleOutcome {
    Nothing,           // no record: nothing was left
    DatabaseUntouched, // the run had not moved the database
    DatabaseGone,      // the run had not moved the database, but it is no longer at its path
    OriginalInPlace,   // the original had not been moved yet, or was already back
    OriginalReturned,  // the original stands at its path again, written to since (put back by hand)
    OriginalPutBack,   // the half-restored file was replaced by the original
    NoOriginal,        // the restore had no original to replace; its half-made file is gone
    RebuildKept,       // the restore had finished: the rebuilt database stays, the original goes
    Unresolved,        // the files do not match the record; nothing was changed
    Unreadable,        // a record is there but cannot be read; nothing was changed
};

struct TSettleReport {
    TSettleOutcome Outcome = TSettleOutcome::Nothing;
    TRunState State = TRunState::BackupStarted; // how far the recorded run had got
    bool BackupRemoved = false;                 // the run's own backup file was deleted
    bool OriginalRemoved = false;               // the original set aside was deleted now
    bool BackupLeft = false; // a file is at the backup path that is not (or no longer) the run's
    std::string Reason;      // for Unresolved: what did not match
    std::string Stray;       // a set-aside original of this database that no record accounts for

    // True while nobody can tell which file holds the data: no step may run.
    bool QuestionOpen() const {
        return Outcome == TSettleOutcome::Unresolved || Outcome == TSettleOutcome::Unreadable ||
               !Stray.empty();
    }
};

// Whether the file at `path` is what a restore leaves while it runs: an empty file or a database
// that is still shut down.
bool IsRestoreOutput(const std::string& path);

// The database file at `path` has the header page the record saw after the backup: nobody has
// attached to it since. True when the record keeps no digest (older records, an unreadable
// database), false when the page cannot be read now.
bool HeaderAsBackedUp(const TRunRecord& record, const std::string& path);

// Settles a run from its record. The backup file goes when removeBackup is set and the record
// shows the data is safe without it (the original or the rebuilt database is in place); it is
// kept whenever it may be the only copy. The record itself is not touched.
TSettleReport SettleRun(const TRunRecord& record, bool removeBackup);

// For a database whose lock we hold: settles whatever an earlier run left behind (its record is
// removed once settled) and looks for set-aside originals that no record accounts for.
TSettleReport RecoverInterruptedRun(const std::string& database);

// Set-aside originals of the database lying in its folder, except `known`.
std::string FindStrayAside(const std::string& database, const std::string& known);
