#include "DatabaseHeader.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <vector>

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

std::optional<std::uint64_t> ReadHeaderPageDigest(const std::string& path) {
    const auto pageSize = ReadHeaderWord(path, kPageSizeOffset);
    const std::size_t size = pageSize && IsPageSize(static_cast<int>(*pageSize)) ? *pageSize : kDefaultPageSize;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::vector<unsigned char> page(size);
    std::size_t have = 0;
    while (have < size) {
        const ssize_t got = ::pread(fd, page.data() + have, size - have, static_cast<off_t>(have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        have += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (have != size)
        return std::nullopt;
    std::uint64_t digest = 14695981039346656037ULL;
    for (const unsigned char byte : page) {
        digest ^= byte;
        digest *= 1099511628211ULL;
    }
    return digest;
}

bool HasSecondaryFiles(const std::string& path) {
    constexpr std::size_t kOdsOffset = 18, kEndOffset = 66, kEntriesStart = 132, kRead = 1024;
    constexpr unsigned kOds12 = 12, kEntryEnd = 0, kEntryNextFile = 2;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    unsigned char page[kRead] = {};
    ssize_t got;
    do
        got = ::pread(fd, page, sizeof page, 0);
    while (got < 0 && errno == EINTR);
    ::close(fd);
    if (got < static_cast<ssize_t>(kEntriesStart))
        return false;
    const auto word = [&](std::size_t at) { return static_cast<unsigned>(page[at] | (page[at + 1] << 8)); };
    if ((word(kOdsOffset) & 0x7FFF) != kOds12)
        return false;
    const std::size_t end = std::min<std::size_t>(word(kEndOffset), static_cast<std::size_t>(got));
    for (std::size_t at = kEntriesStart; at + 1 < end;) {
        const unsigned type = page[at];
        if (type == kEntryEnd)
            break;
        if (type == kEntryNextFile)
            return true;
        at += 2 + page[at + 1];
    }
    return false;
}

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
