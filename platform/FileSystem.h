#pragma once
// The few file-system operations the program needs, in place of the Windows calls.
// Paths are the bytes the operating system uses (UTF-8 on Linux).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// Which file a path names: a rename keeps it, a new file gets a new one. The inode number alone
// is not enough: a file made after another was deleted often gets the same number, so the time
// the file was made (where the file system records it, 0 elsewhere) belongs to it too.
struct TFileId {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t BornNs = 0;
    bool operator==(const TFileId&) const = default;
};

// What the file system says about a file, the link itself for a symbolic link.
struct TFileFacts {
    TFileId Id;
    std::int64_t Size = 0;
    std::int64_t ModifiedNs = 0; // last change of the contents, in nanoseconds
    unsigned Uid = 0;
    unsigned Gid = 0;
    unsigned Mode = 0; // permission bits with set-id and sticky bits (07777)
    bool Regular = false;
    bool Link = false;

    // The same file, and as far as the file system can tell not written to since: same id,
    // size and last change of the contents.
    bool SameUnchanged(const TFileFacts& other) const {
        return Id == other.Id && Size == other.Size && ModifiedNs == other.ModifiedNs;
    }
};

// Facts of whatever is at the path, without following a final link; nothing when there is
// nothing (or it cannot be looked at).
std::optional<TFileFacts> LookAt(const std::string& path);

// Renames, replacing what is at the target in one step. False with errno on failure.
bool RenameFileReplacing(const std::string& from, const std::string& to);

// Makes a new empty file that nothing else may have made first (the read and write bits of
// `mode` less the umask), and tells which file it is. False with errno (EEXIST when something
// is already there). With a `group`, the group bits are meant for that group: the file is given
// it where the system allows, and otherwise keeps no group bits.
bool CreateNewFile(const std::string& path, TFileId& id, unsigned mode = 0666,
                   std::optional<unsigned> group = std::nullopt);

// The longest file name, in bytes, the folder of `path` takes (255 on the usual file systems;
// 255 as well when the system cannot tell).
std::size_t LongestNameInFolderOf(const std::string& path);

// Flushes the folder that holds the path, so renames and deletions in it survive a crash.
bool SyncFolderOf(const std::string& path);

// Flushes a file's contents to the disk.
bool SyncFile(const std::string& path);

// Gives the file the owner, group and permission bits of another file's facts. False with
// errno when the process may not (only a privileged process can give a file away).
bool CopyOwnerAndMode(const std::string& path, const TFileFacts& from);

// Gives `to` the access list of `from` (none when `from` has none); when `to` is in another
// group than `from`, without the list's group rights. False with errno.
bool CopyAccessList(const std::string& from, const std::string& to);

// The folder part of a path ("." for a bare name) and the name part.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// Writes every byte to an open file, going on after interruptions; false on any error.
bool WriteAllBytes(int fd, const std::string& bytes);

// The names in a folder, as bytes, at most `limit` of them; false when the folder cannot be
// read or holds more.
bool ListFolder(const std::string& folder, std::size_t limit, std::vector<std::string>& names);

// The path with every link resolved; nothing when the path or a link target does not exist.
std::optional<std::string> ResolveLinks(const std::string& path);

// The system's text for an errno value.
std::string SystemErrorText(int error);
