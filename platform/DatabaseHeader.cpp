#include "DatabaseHeader.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

constexpr off_t kPageSizeOffset = 16;
constexpr off_t kFlagsOffset = 42;
constexpr unsigned kShutdownBits = 0x1080;

bool IsPageSize(int value) {
    return value >= 1024 && value <= 32768 && (value & (value - 1)) == 0;
}

// The 16-bit little-endian value at `offset` of the file's first page.
std::optional<unsigned> ReadHeaderWord(const std::string& path, off_t offset) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    unsigned char bytes[2] = {};
    ssize_t got;
    do
        got = ::pread(fd, bytes, sizeof bytes, offset);
    while (got < 0 && errno == EINTR);
    ::close(fd);
    if (got != static_cast<ssize_t>(sizeof bytes))
        return std::nullopt;
    return bytes[0] | (bytes[1] << 8);
}

} // namespace

int ReadDatabasePageSize(const std::string& path) {
    const auto value = ReadHeaderWord(path, kPageSizeOffset);
    return value && IsPageSize(static_cast<int>(*value)) ? static_cast<int>(*value) : kDefaultPageSize;
}

TDatabaseState ReadDatabaseState(const std::string& path) {
    // A first page without a page size of its own is no database header.
    const auto pageSize = ReadHeaderWord(path, kPageSizeOffset);
    const auto flags = ReadHeaderWord(path, kFlagsOffset);
    if (!pageSize || !IsPageSize(static_cast<int>(*pageSize)) || !flags)
        return TDatabaseState::Unreadable;
    return (*flags & kShutdownBits) != 0 ? TDatabaseState::ShutDown : TDatabaseState::Online;
}
