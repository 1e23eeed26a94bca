#pragma once
// A read position over bytes that someone else owns: the package being parsed. Reading past the
// end never happens; callers ask how much is left first or get an EReadError.

#include <cstddef>
#include <cstdint>
#include <span>

class MemorySource {
public:
    explicit MemorySource(std::span<const std::uint8_t> data) : Data(data) {}

    std::size_t Position() const { return Pos; }
    std::size_t Remaining() const { return Data.size() - Pos; }
    // Moves to an absolute position; positions past the end are clamped to the end.
    void Seek(std::size_t position) { Pos = position < Data.size() ? position : Data.size(); }
    const std::uint8_t* Current() const { return Data.data() + Pos; }

    // Copies exactly count bytes or raises EReadError without moving.
    void ReadExact(void* target, std::size_t count);
    std::int32_t ReadInt32();
    // Takes up to count bytes: returns how many were taken and where they start.
    std::span<const std::uint8_t> Take(std::size_t count);

private:
    std::span<const std::uint8_t> Data;
    std::size_t Pos = 0;
};
