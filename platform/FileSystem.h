#pragma once
// The few file-system operations the program needs, in place of the Windows calls.
// Paths are the bytes the operating system uses (UTF-8 on Linux).

#include <cstdint>
#include <string>

// Folder of the running executable, ending in a path separator.
std::string ProgramFolder();

// Full path of the running executable.
std::string ProgramFilePath();

// True when the path names an existing regular file; a folder does not count.
bool FileExists(const std::string& path);

// Removes a file. Returns whether it is gone.
bool DeleteFile(const std::string& path);

// Renames within one file system, replacing nothing: fails when the target exists.
bool RenameFileNoReplace(const std::string& from, const std::string& to);

// Size of an existing file opened for reading only and not shared: -1 when the file cannot be
// opened, is not a regular file, or another process holds a lock on it (the Firebird server
// keeps an exclusive flock on every database it has open). Never creates the file.
std::int64_t ReadUnsharedFileSize(const std::string& path);

// True when another process holds a lock on the file (or the file cannot be opened to check).
bool IsFileHeldOpen(const std::string& path);
