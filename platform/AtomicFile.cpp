#include "AtomicFile.h"

#include "FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor and removes a half-made file unless released, keeping errno intact.
class TTempFile {
public:
    TTempFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    ~TTempFile() {
        const int saved = errno;
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.empty())
            ::unlink(path_.c_str());
        errno = saved;
    }
    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void Release() { path_.clear(); }

private:
    int fd_;
    std::string path_;
};

// A link is replaced through its target, so the link itself survives the rename.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

// Created with 0666 so the process's umask decides a new file's bits, as for any new file.
int CreateTemp(const std::string& target, std::string& tempPath) {
    static std::mt19937 random{std::random_device{}()};
    const std::string stem = FolderOf(target) + "/." + NameOf(target) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = stem + std::to_string(random() % 1000000000u) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Fails with errno set for anything that is not a regular file.
bool IsRegularFile(const struct stat& st) {
    if (S_ISREG(st.st_mode))
        return true;
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return false;
}

// The rename would go through a read-only file, which must keep its protection. The kernel lets
// root write anything, so root is judged by the mode bits as well: by the owner's, as it writes
// on the owner's behalf. Anyone else is judged as the kernel judges them.
bool MayWrite(const std::string& target, const struct stat& st) {
    if (::geteuid() != 0)
        return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
    if ((st.st_mode & S_IWUSR) != 0)
        return true;
    errno = EACCES;
    return false;
}

// Whether a file is already there, refusing what must not be replaced.
bool CheckReplaceable(const std::string& target, struct stat& old, bool& exists) {
    exists = ::stat(target.c_str(), &old) == 0;
    if (!exists)
        return errno == ENOENT;
    return IsRegularFile(old) && MayWrite(target, old);
}

// Closes a descriptor when it goes, keeping errno intact.
class TReadFd {
public:
    explicit TReadFd(int fd) : fd_(fd) {}
    TReadFd(const TReadFd&) = delete;
    TReadFd& operator=(const TReadFd&) = delete;
    ~TReadFd() {
        const int saved = errno;
        ::close(fd_);
        errno = saved;
    }
    int Fd() const { return fd_; }

private:
    int fd_;
};

// Opens a regular file for reading without ever blocking: a FIFO or a device is refused by the
// first look, and one swapped in before the open cannot hold it (O_NONBLOCK) or be read (the
// second look must find the same regular file).
int OpenRegularForReading(const std::string& path, TFileRead& failure) {
    struct stat before {};
    failure = TFileRead::Failed;
    if (::stat(path.c_str(), &before) != 0) {
        if (errno == ENOENT)
            failure = TFileRead::Missing;
        return -1;
    }
    if (!IsRegularFile(before))
        return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat opened {};
    const bool sameFile = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                          opened.st_dev == before.st_dev && opened.st_ino == before.st_ino;
    if (!sameFile) {
        TReadFd closing(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Reads into a string or a byte vector alike.
template <typename Bytes>
TFileRead ReadRegular(const std::string& path, std::uint64_t limit, Bytes& contents) {
    contents.clear();
    TFileRead failure = TFileRead::Failed;
    const int fd = OpenRegularForReading(path, failure);
    if (fd < 0)
        return failure;
    TReadFd file(fd);
    struct stat st {};
    if (::fstat(file.Fd(), &st) == 0 && static_cast<std::uint64_t>(st.st_size) <= limit)
        contents.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.Fd(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return TFileRead::Failed;
        if (n == 0)
            return TFileRead::Read;
        // Checked while reading, not from the size, so a file that grows is cut off too.
        if (contents.size() + static_cast<std::uint64_t>(n) > limit) {
            contents.clear();
            errno = EFBIG;
            return TFileRead::Failed;
        }
        contents.insert(contents.end(), buffer, buffer + n);
    }
}

} // namespace

TFileRead ReadWholeFile(const std::string& path, std::string& contents) {
    return ReadRegular(path, MaxSettingsFileBytes, contents);
}

TFileRead ReadRegularFile(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>& bytes) {
    return ReadRegular(path, limit, bytes);
}

bool ReplaceFileContents(const std::string& path, const std::string& contents) {
    if (contents.size() > MaxSettingsFileBytes) {
        errno = EFBIG;
        return false;
    }
    const std::string target = ResolveTarget(path);
    struct stat old {};
    bool exists = false;
    if (!CheckReplaceable(target, old, exists))
        return false;
    std::string tempPath;
    const int fd = CreateTemp(target, tempPath);
    if (fd < 0)
        return false;
    TTempFile temp(fd, tempPath);
    if (exists) {
        if (::fchown(temp.Fd(), old.st_uid, old.st_gid) != 0) {
            // Only a privileged process may give a file away; the bits below still carry over.
        }
        if (::fchmod(temp.Fd(), old.st_mode & 07777) != 0)
            return false;
    }
    if (!WriteAllBytes(temp.Fd(), contents) || ::fsync(temp.Fd()) != 0 || !temp.Close())
        return false;
    if (::rename(temp.Path().c_str(), target.c_str()) != 0)
        return false;
    temp.Release();
    // The folder is not flushed: after a crash the rename may be lost, which leaves the old
    // file whole - the one thing this must guarantee - at half the cost of every write.
    return true;
}
