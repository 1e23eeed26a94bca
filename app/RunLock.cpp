#include "RunLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The lock counts only while the path still names the locked file: a holder may have removed
// the file between our open and our flock.
bool StillNamed(int fd, const std::string& path) {
    struct stat opened {
    }, named{};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

} // namespace

TRunLock::~TRunLock() {
    Release(false);
}

TRunLock::TResult TRunLock::Acquire(const std::string& lockPath) {
    Release(false);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0)
            return TResult::Failed;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return error == EWOULDBLOCK ? TResult::Busy : TResult::Failed;
        }
        if (StillNamed(fd, lockPath)) {
            fd_ = fd;
            path_ = lockPath;
            return TResult::Acquired;
        }
        ::close(fd);
    }
    errno = EAGAIN;
    return TResult::Failed;
}

void TRunLock::Release(bool removeFile) {
    if (fd_ < 0)
        return;
    if (removeFile)
        ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}
