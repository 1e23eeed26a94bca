#pragma once
// What is read from a database file itself, from its header page: the page size, and whether
// the database is shut down.

#include <cstdint>
#include <optional>
#include <string>

// The page size a database was made with: the 16-bit little-endian value at offset 16 of its
// first page. 4096 when the file cannot be read or the value is not a power of two from 1024
// to 32768, so a damaged header never turns into an odd request.
int ReadDatabasePageSize(const std::string& path);

constexpr int kDefaultPageSize = 4096;

// A digest (64-bit FNV-1a) of the database's whole header page, as its page size says, or of
// its first 4096 bytes when that is no page size. The engine rewrites the header page at every
// attachment (a new attachment number, a new transaction number), so a database anybody has
// worked with since has another digest, even where the file system keeps times to the second
// only and the file's size and time stayed the same. Nothing when the page cannot be read whole.
std::optional<std::uint64_t> ReadHeaderPageDigest(const std::string& path);

// The number the engine will give the next transaction started on the database: the 32-bit
// little-endian value at offset 36 of its header page (the low half of the number; the engine
// writes the header page as each transaction starts). Every transaction, reading or writing,
// raises it. Nothing when the file has no header page to read.
std::optional<std::uint32_t> ReadNextTransaction(const std::string& path);

// Whether the database goes on in secondary files: a header page of on-disk structure 12 (the
// one Firebird 3 opens) whose entries after the fixed part (from byte 132 to the end offset, the
// 16-bit value at byte 66) name a next file (entry type 2). False for anything else, unreadable
// files included.
bool HasSecondaryFiles(const std::string& path);

enum class TDatabaseState { Online, ShutDown, Unreadable };
// Whether the database is shut down, from the shutdown bits (0x1080) of the 16-bit
// little-endian header flags at offset 42. A restore that could not activate every index
// ends without an error but leaves its database shut down, unusable until an administrator
// repairs it.
TDatabaseState ReadDatabaseState(const std::string& path);
