#include "DatabaseHeader.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kPageSizeOffset = 16;
constexpr std::size_t kFlagsOffset = 42;
constexpr unsigned kShutdownBits = 0x1080;
constexpr std::size_t kLargestPage = 32768;

bool IsPageSize(unsigned value) {
    return value >= 1024 && value <= kLargestPage && (value & (value - 1)) == 0;
}

// Up to `count` bytes from the start of the file: fewer where it ends sooner; nothing when it
// cannot be opened or read.
std::optional<std::vector<unsigned char>> ReadStart(const std::string& path, std::size_t count) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::vector<unsigned char> bytes(count);
    std::size_t have = 0;
    bool failed = false;
    while (have < count) {
        const ssize_t got = ::pread(fd, bytes.data() + have, count - have, static_cast<off_t>(have));
        if (got < 0 && errno == EINTR)
            continue;
        failed = got < 0;
        if (got <= 0)
            break;
        have += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (failed)
        return std::nullopt;
    bytes.resize(have);
    return bytes;
}

// The 16-bit little-endian value at `offset` of the bytes; nothing past their end.
std::optional<unsigned> WordAt(const std::vector<unsigned char>& bytes, std::size_t offset) {
    if (bytes.size() < offset + 2)
        return std::nullopt;
    return bytes[offset] | (bytes[offset + 1] << 8);
}

// The page size the header gives, or nothing when the value is not one.
std::optional<unsigned> PageSizeIn(const std::vector<unsigned char>& bytes) {
    const auto value = WordAt(bytes, kPageSizeOffset);
    return value && IsPageSize(*value) ? value : std::nullopt;
}

} // namespace

std::optional<std::uint64_t> ReadHeaderPageDigest(const std::string& path) {
    const auto start = ReadStart(path, kLargestPage);
    if (!start)
        return std::nullopt;
    const std::size_t size = PageSizeIn(*start).value_or(kDefaultPageSize);
    if (start->size() < size)
        return std::nullopt;
    std::uint64_t digest = 14695981039346656037ULL;
    for (std::size_t i = 0; i < size; ++i) {
        digest ^= (*start)[i];
        digest *= 1099511628211ULL;
    }
    return digest;
}

bool HasSecondaryFiles(const std::string& path) {
    constexpr std::size_t kOdsOffset = 18, kEndOffset = 66, kEntriesStart = 132, kRead = 1024;
    constexpr unsigned kOds12 = 12, kEntryEnd = 0, kEntryNextFile = 2;
    const auto page = ReadStart(path, kRead);
    if (!page || page->size() < kEntriesStart)
        return false;
    if ((*WordAt(*page, kOdsOffset) & 0x7FFF) != kOds12)
        return false;
    const std::size_t end = std::min<std::size_t>(*WordAt(*page, kEndOffset), page->size());
    for (std::size_t at = kEntriesStart; at + 1 < end;) {
        const unsigned type = (*page)[at];
        if (type == kEntryEnd)
            break;
        if (type == kEntryNextFile)
            return true;
        at += 2 + (*page)[at + 1];
    }
    return false;
}

std::optional<std::uint32_t> ReadNextTransaction(const std::string& path) {
    constexpr std::size_t kNextTransactionOffset = 36;
    const auto start = ReadStart(path, kNextTransactionOffset + 4);
    if (!start || start->size() < kNextTransactionOffset + 4 || !PageSizeIn(*start))
        return std::nullopt;
    const unsigned char* at = start->data() + kNextTransactionOffset;
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24;
}

int ReadDatabasePageSize(const std::string& path) {
    const auto start = ReadStart(path, kPageSizeOffset + 2);
    const auto pageSize = start ? PageSizeIn(*start) : std::nullopt;
    return pageSize ? static_cast<int>(*pageSize) : kDefaultPageSize;
}

TDatabaseState ReadDatabaseState(const std::string& path) {
    // A first page without a page size of its own is no database header.
    const auto start = ReadStart(path, kFlagsOffset + 2);
    if (!start || !PageSizeIn(*start) || !WordAt(*start, kFlagsOffset))
        return TDatabaseState::Unreadable;
    return (*WordAt(*start, kFlagsOffset) & kShutdownBits) != 0 ? TDatabaseState::ShutDown
                                                                  : TDatabaseState::Online;
}
