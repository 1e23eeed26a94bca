#pragma once
// The backup path beside a database and the names that cannot have one. Paths are bytes, as
// the system calls get them; a character is one UTF-8 sequence, or one byte that is not part
// of a valid sequence.

#include <cstddef>
#include <string>

// The longest backup path, in bytes, that the engine's backup can be restored from: it keeps the
// path in the backup with a one-byte length, and cuts a longer one.
constexpr std::size_t kLongestBackupPath = 255;

// The database path with its last three characters replaced by "BAK".
std::string BackupPathFor(const std::string& databasePath);

// True when the file would be its own backup file (its name ends in BAK in any letter case).
bool IsOwnBackupName(const std::string& databasePath);

// True when the file name has three characters or fewer: the backup rule would eat into the
// folder part of the path, or leave a backup named just "BAK".
bool IsNameTooShortForBackup(const std::string& databasePath);
