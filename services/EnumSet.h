#pragma once
// A set of the values of a small enum class, one bit per value.

#include <cstdint>
#include <initializer_list>

template <typename E> class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values) {
        for (E value : values)
            Include(value);
    }
    constexpr bool Contains(E value) const { return (bits & Bit(value)) != 0; }
    constexpr void Include(E value) { bits |= Bit(value); }
    constexpr void Exclude(E value) { bits &= ~Bit(value); }
    constexpr bool Empty() const { return bits == 0; }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E value) { return std::uint32_t{1} << static_cast<unsigned>(value); }

    std::uint32_t bits = 0;
};
