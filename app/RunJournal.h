#pragma once
// The record a compaction run keeps beside the database while it has files on the disk: which
// backup file it made, where the original database waits while the restore runs, and how far
// the run got. It is written to the disk (flushed, then renamed into place) before every move
// that cannot be undone, so after a crash the next run knows - rather than guesses - what
// each file is and what must happen to it.

#include "FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

enum class TRunState {
    BackupStarted,   // the backup file is being written; the database is untouched
    BackedUp,        // the backup file is complete; the database is untouched
    RestoreStarted,  // the original is being set aside (or is aside) while the restore runs
    RestoreFinished, // the rebuilt database is in place; the original aside is no longer needed
    Optimised,       // the original is gone; only the backup file is left
};

const char* RunStateName(TRunState state);

struct TRunRecord {
    std::string RunId;
    TRunState State = TRunState::BackupStarted;
    std::string Database; // path bytes
    std::string Backup;   // path bytes
    TFileId BackupId;     // the backup file this run made
    std::string Aside;    // where the original waits; empty when there was no original
    TFileFacts Original;  // the original as it was before it was set aside
    TFileId RebuiltId;    // the rebuilt database, once the restore has finished
    // The database as the finished backup left it. Absent in records of older versions.
    std::optional<TFileFacts> BackedUpDatabase;
    // The digest of its header page then; absent in records of older versions and where the
    // program could not read the database.
    std::optional<std::uint64_t> BackedUpHeader;

    bool operator==(const TRunRecord&) const;
};

// A file named `name` in the folder of `path`.
std::string PathBeside(const std::string& path, const std::string& name);

// The hidden files beside a database: the record, its lock, and the original set aside.
std::string RunRecordPathFor(const std::string& database);
std::string RunLockPathFor(const std::string& database);
// The first choice, then ".1", ".2", ... up to kAsideAttempts - 1.
std::string AsidePathFor(const std::string& database, int attempt);
constexpr int kAsideAttempts = 100;
// The length in bytes of the longest name a run may give a file beside the database (the
// record's new copy, the lock, the last set-aside name, the backup).
std::size_t LongestRunFileName(const std::string& database);
// True for a name in the database's folder that the set-aside rule could have made for it.
bool IsAsideNameOf(const std::string& name, const std::string& database);

// The record as text, and back; nothing when the text is not a complete, valid record.
std::string EncodeRunRecord(const TRunRecord& record);
std::optional<TRunRecord> DecodeRunRecord(const std::string& text);

// Writes the record durably: a flushed new file renamed over the old one, then the folder
// flushed. False with errno on failure; the previous record is then still whole.
bool WriteRunRecord(const TRunRecord& record);

enum class TRunRecordRead { Missing, Read, Unreadable };
// Reads the record of a database. A file that is too large or does not decode is Unreadable.
TRunRecordRead ReadRunRecord(const std::string& database, TRunRecord& record);

// Removes the record and flushes the folder; true when it is gone.
bool RemoveRunRecord(const std::string& database);
