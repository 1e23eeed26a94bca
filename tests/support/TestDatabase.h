#pragma once
// Test databases made and read with isql-fb, the way an administrator would.

#include <cstdint>
#include <string>

constexpr const char* TestUser = "SYSDBA";
constexpr const char* TestPassword = "plumbtide";

struct TTestDatabaseSpec {
    std::string Path{};      // the database file
    int Rows = 1000;         // rows inserted into table ROWS_T, each with 200 bytes of padding
    bool DeleteHalf = false; // delete every second row afterwards, leaving garbage to compact
    int PageSize = 4096;
    std::string Connection{}; // prefix of the connection string: "" (embedded) or "localhost:"
};

// Runs an isql-fb script (as SYSDBA) and returns what it printed; raises std::runtime_error with
// that output when isql-fb fails.
std::string RunIsql(const std::string& script);

void CreateTestDatabase(const TTestDatabaseSpec& spec);

// Number of rows in table ROWS_T; raises when the database cannot be opened.
std::int64_t CountRows(const std::string& connectionPath);

// Size of a file in bytes, -1 when it does not exist.
std::int64_t FileSizeOf(const std::string& path);
