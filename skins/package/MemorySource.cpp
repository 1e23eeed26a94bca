#include "MemorySource.h"

#include "Exceptions.h"

#include <cstring>

void MemorySource::ReadExact(void* target, std::size_t count) {
    if (count > Remaining())
        throw EReadError("Stream read error");
    if (count > 0)
        std::memcpy(target, Current(), count);
    Pos += count;
}

std::int32_t MemorySource::ReadInt32() {
    std::uint8_t bytes[4];
    ReadExact(bytes, sizeof bytes);
    const std::uint32_t value = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

std::span<const std::uint8_t> MemorySource::Take(std::size_t count) {
    const std::size_t taken = count < Remaining() ? count : Remaining();
    std::span<const std::uint8_t> block = Data.subspan(Pos, taken);
    Pos += taken;
    return block;
}
