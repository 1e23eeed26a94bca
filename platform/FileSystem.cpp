#include "FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// Opens read-only and takes a non-blocking exclusive lock; -1 when either fails. The open does
// not block either: a FIFO at the path would wait for a writer, and is refused by the check.
int OpenUnshared(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::string ProgramFilePath() {
    char buffer[PATH_MAX + 1];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0)
        return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::string ProgramFolder() {
    const std::string exe = ProgramFilePath();
    const auto slash = exe.rfind('/');
    if (slash == std::string::npos)
        return "./";
    return exe.substr(0, slash + 1);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DeleteFile(const std::string& path) {
    return !path.empty() && (::unlink(path.c_str()) == 0 || errno == ENOENT);
}

bool RenameFileNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without RENAME_NOREPLACE: link + unlink also refuses an existing target.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    if (::unlink(from.c_str()) != 0) {
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

std::int64_t ReadUnsharedFileSize(const std::string& path) {
    const int fd = OpenUnshared(path);
    if (fd < 0)
        return -1;
    const off_t end = ::lseek(fd, 0, SEEK_END);
    ::close(fd);
    return end < 0 ? -1 : static_cast<std::int64_t>(end);
}

bool IsFileHeldOpen(const std::string& path) {
    const int fd = OpenUnshared(path);
    if (fd < 0)
        return true;
    ::close(fd);
    return false;
}

namespace {

// Facts of a file by descriptor (path empty) or by path, without following a final link.
bool StatxFacts(int dirFd, const char* path, int flags, TFileFacts& facts) {
    struct statx st {};
    if (::statx(dirFd, path, flags | AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &st) != 0)
        return false;
    facts.Id.Device = (static_cast<std::uint64_t>(st.stx_dev_major) << 32) | st.stx_dev_minor;
    facts.Id.Inode = st.stx_ino;
    facts.Id.BornNs = (st.stx_mask & STATX_BTIME)
                          ? static_cast<std::int64_t>(st.stx_btime.tv_sec) * 1000000000 + st.stx_btime.tv_nsec
                          : 0;
    facts.Size = static_cast<std::int64_t>(st.stx_size);
    facts.ModifiedNs = static_cast<std::int64_t>(st.stx_mtime.tv_sec) * 1000000000 + st.stx_mtime.tv_nsec;
    facts.Uid = st.stx_uid;
    facts.Gid = st.stx_gid;
    facts.Mode = st.stx_mode & 07777;
    facts.Regular = S_ISREG(st.stx_mode);
    facts.Link = S_ISLNK(st.stx_mode);
    return true;
}

} // namespace

std::optional<TFileFacts> LookAt(const std::string& path) {
    TFileFacts facts;
    if (path.empty() || !StatxFacts(AT_FDCWD, path.c_str(), 0, facts))
        return std::nullopt;
    return facts;
}

bool RenameFileReplacing(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool CreateNewFile(const std::string& path, TFileId& id, unsigned mode, std::optional<unsigned> group) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode & 0666);
    if (fd < 0)
        return false;
    TFileFacts facts;
    bool ok = StatxFacts(fd, "", AT_EMPTY_PATH, facts);
    if (ok && group && facts.Gid != *group && (facts.Mode & 0070) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(*group)) != 0)
        ok = ::fchmod(fd, facts.Mode & 07707) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    if (ok)
        id = facts.Id;
    return ok;
}

namespace {

bool SyncOpened(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

} // namespace

bool SyncFolderOf(const std::string& path) {
    return SyncOpened(FolderOf(path), O_RDONLY | O_DIRECTORY);
}

bool SyncFile(const std::string& path) {
    return SyncOpened(path, O_RDONLY | O_NOFOLLOW);
}

bool CopyOwnerAndMode(const std::string& path, const TFileFacts& from) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    // The owner first: changing it clears the set-id bits, which the mode then puts back.
    if (ok && (st.st_uid != from.Uid || st.st_gid != from.Gid))
        ok = ::fchown(fd, from.Uid, from.Gid) == 0;
    if (ok)
        ok = ::fchmod(fd, from.Mode) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

bool CopyAccessList(const std::string& from, const std::string& to) {
    static const char kName[] = "system.posix_acl_access";
    std::vector<char> list(64 * 1024);
    const ssize_t size = ::lgetxattr(from.c_str(), kName, list.data(), list.size());
    if (size < 0) {
        if (errno != ENODATA && errno != ENOTSUP)
            return false;
        // None there: none here either (a folder's default list may have given it one).
        return ::lremovexattr(to.c_str(), kName) == 0 || errno == ENODATA || errno == ENOTSUP;
    }
    if (::lsetxattr(to.c_str(), kName, list.data(), static_cast<std::size_t>(size), 0) != 0)
        return false;
    // The list's group rights (its mask) are meant for the original's group: a copy in another
    // group would give them to that group instead, so there it keeps none.
    struct stat original {}, copy {};
    if (::lstat(from.c_str(), &original) != 0 || ::lstat(to.c_str(), &copy) != 0)
        return false;
    if (original.st_gid != copy.st_gid && (copy.st_mode & 0070) != 0)
        return ::chmod(to.c_str(), copy.st_mode & 07707) == 0;
    return true;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAllBytes(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ListFolder(const std::string& folder, std::size_t limit, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return false;
    bool ok = true;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (names.size() == limit) {
            ok = false;
            break;
        }
        names.push_back(name);
    }
    ::closedir(dir);
    return ok;
}

std::optional<std::string> ResolveLinks(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return std::nullopt;
    std::string result = resolved;
    std::free(resolved);
    return result;
}

std::string SystemErrorText(int error) {
    char buffer[256];
    return ::strerror_r(error, buffer, sizeof buffer);
}

std::size_t LongestNameInFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    errno = 0;
    const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return longest > 0 ? static_cast<std::size_t>(longest) : 255;
}
