#pragma once
// POSIX access lists as the kernel stores them in "system.posix_acl_access", for tests that give
// a file one: version 2, then tag, permissions and id per entry.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

inline constexpr std::uint32_t kAclUserObj = 0x01, kAclUser = 0x02, kAclGroupObj = 0x04, kAclMask = 0x10,
                               kAclOther = 0x20;
inline constexpr std::uint32_t kAclNoId = 0xFFFFFFFF;

// Each entry: tag, permissions (4 read, 2 write, 1 execute), id (kAclNoId where the tag has none).
inline std::string AccessListBytes(std::initializer_list<std::array<std::uint32_t, 3>> entries) {
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(2, 4);
    for (const auto& e : entries) {
        put(e[0], 2);
        put(e[1], 2);
        put(e[2], 4);
    }
    return bytes;
}
