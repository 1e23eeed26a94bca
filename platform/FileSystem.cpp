#include "FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
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
