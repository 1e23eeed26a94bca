#include "DatabaseHeader.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr off_t kPageSizeOffset = 16;

bool IsPageSize(int value) {
    return value >= 1024 && value <= 32768 && (value & (value - 1)) == 0;
}

} // namespace

int ReadDatabasePageSize(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return kDefaultPageSize;
    unsigned char bytes[2] = {};
    ssize_t got;
    do
        got = ::pread(fd, bytes, sizeof bytes, kPageSizeOffset);
    while (got < 0 && errno == EINTR);
    ::close(fd);
    if (got != static_cast<ssize_t>(sizeof bytes))
        return kDefaultPageSize;
    const int value = bytes[0] | (bytes[1] << 8);
    return IsPageSize(value) ? value : kDefaultPageSize;
}
