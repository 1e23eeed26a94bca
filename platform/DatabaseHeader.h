#pragma once
// The one thing read from a database file itself: its page size, from the header page.

#include <string>

// The page size a database was made with: the 16-bit little-endian value at offset 16 of its
// first page. 4096 when the file cannot be read or the value is not a power of two from 1024
// to 32768, so a damaged header never turns into an odd request.
int ReadDatabasePageSize(const std::string& path);

constexpr int kDefaultPageSize = 4096;
