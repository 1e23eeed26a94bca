#pragma once
// Keeps two windows (or two copies of the program) from working on one database at once: an
// exclusive flock on a small file beside it, held while a window has that database picked.
// The system drops the lock when the process ends, however it ends, so a crashed run never
// blocks the next one.

#include <string>

class TRunLock {
public:
    TRunLock() = default;
    ~TRunLock();
    TRunLock(const TRunLock&) = delete;
    TRunLock& operator=(const TRunLock&) = delete;

    enum class TResult { Acquired, Busy, Failed };
    // Takes the lock on the file (made when missing); Busy when another holder has it, Failed
    // with errno when the file cannot be made or opened.
    TResult Acquire(const std::string& lockPath);
    bool Held() const { return fd_ >= 0; }
    // Lets go; the file is removed too when asked (only once nothing else needs it).
    void Release(bool removeFile);

private:
    int fd_ = -1;
    std::string path_;
};
