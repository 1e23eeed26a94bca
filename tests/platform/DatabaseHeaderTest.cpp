#include "DatabaseHeader.h"

#include "TempDir.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>

namespace {

std::string Header(unsigned char low, unsigned char high, std::size_t size = 1024) {
    std::string bytes(size, '\0');
    if (size > 17) {
        bytes[16] = static_cast<char>(low);
        bytes[17] = static_cast<char>(high);
    }
    return bytes;
}

TEST(DatabaseHeader, PageSizeFromTheFirstPage) {
    struct TCase {
        std::string Bytes;
        int Expected;
    };
    const TCase cases[] = {
        {Header(0x00, 0x10), 4096},
        {Header(0x00, 0x20), 8192},
        {Header(0x00, 0x40), 16384},
        {Header(0x00, 0x80), 32768},
        {Header(0x00, 0x04), 1024},
        {Header(0x00, 0x08), 2048},
        {Header(0x00, 0x02), 4096},     // 512: too small
        {Header(0x00, 0x00), 4096},     // zero
        {Header(0xB8, 0x0B), 4096},     // 3000: not a power of two
        {Header(0xFF, 0xFF), 4096},     // 65535
        {Header(0x00, 0x20, 17), 4096}, // the file ends before the value
        {"", 4096},
    };
    TTempDir dir;
    for (const TCase& c : cases) {
        dir.Write("db", c.Bytes);
        EXPECT_EQ(ReadDatabasePageSize(dir.File("db")), c.Expected) << c.Bytes.size();
    }
    EXPECT_EQ(ReadDatabasePageSize(dir.File("missing")), 4096);
    EXPECT_EQ(ReadDatabasePageSize(dir.Path()), 4096) << "a folder";
}

// Shutdown bits of the header flags: 0x0080 multi-user, 0x1000 full, 0x1080 single-user.
TEST(DatabaseHeader, ShutDownFromTheHeaderFlags) {
    const auto withFlags = [](unsigned flags, std::size_t size = 1024) {
        std::string bytes = Header(0x00, 0x10, size);
        if (size > 43) {
            bytes[42] = static_cast<char>(flags & 0xFF);
            bytes[43] = static_cast<char>(flags >> 8);
        }
        return bytes;
    };
    struct TCase {
        std::string Bytes;
        TDatabaseState Expected;
    };
    const TCase cases[] = {
        {withFlags(0x0012), TDatabaseState::Online}, // as a fresh restore leaves it
        {withFlags(0x0000), TDatabaseState::Online},
        {withFlags(0x1092), TDatabaseState::ShutDown}, // a restore whose index failed
        {withFlags(0x0080), TDatabaseState::ShutDown},
        {withFlags(0x1000), TDatabaseState::ShutDown},
        {withFlags(0x0012, 43), TDatabaseState::Unreadable}, // the file ends inside the flags
        {Header(0x00, 0x03), TDatabaseState::Unreadable},    // no page size: no database header
        {"", TDatabaseState::Unreadable},
    };
    TTempDir dir;
    for (const TCase& c : cases) {
        dir.Write("db", c.Bytes);
        EXPECT_EQ(ReadDatabaseState(dir.File("db")), c.Expected) << c.Bytes.size();
    }
    EXPECT_EQ(ReadDatabaseState(dir.File("missing")), TDatabaseState::Unreadable);
}

// The engine keeps the next transaction's number (its low 32 bits) at offset 36.
TEST(DatabaseHeader, NextTransactionFromTheHeader) {
    const auto withNext = [](std::uint32_t next, std::size_t size = 1024) {
        std::string bytes = Header(0x00, 0x10, size);
        for (std::size_t i = 0; i < 4 && 36 + i < size; ++i)
            bytes[36 + i] = static_cast<char>(next >> (8 * i) & 0xFF);
        return bytes;
    };
    struct TCase {
        std::string Bytes;
        std::optional<std::uint32_t> Expected;
    };
    const TCase cases[] = {
        {withNext(9), 9u},
        {withNext(0x89ABCDEFu), 0x89ABCDEFu}, // all four bytes, low one first
        {withNext(7, 39), std::nullopt},      // the file ends inside the number
        {Header(0x00, 0x03), std::nullopt},   // no page size: no database header
        {"", std::nullopt},
    };
    TTempDir dir;
    for (const TCase& c : cases) {
        dir.Write("db", c.Bytes);
        EXPECT_EQ(ReadNextTransaction(dir.File("db")), c.Expected) << c.Bytes.size();
    }
    EXPECT_FALSE(ReadNextTransaction(dir.File("missing")));
}

} // namespace

// The digest covers the whole header page as its page size says, and nothing past it.
TEST(DatabaseHeader, HeaderPageDigest) {
    TTempDir dir;
    const std::string db = dir.File("db");
    const auto digestOf = [&](const std::string& bytes) {
        dir.Write("db", bytes);
        return ReadHeaderPageDigest(db);
    };
    std::string page = Header(0x00, 0x20, 8192) + std::string(100, 'd'); // 8192-byte pages, then data
    const auto base = digestOf(page);
    ASSERT_TRUE(base);
    std::string lastByte = page;
    lastByte[8191] = 'x';
    EXPECT_NE(digestOf(lastByte), base) << "the page's last byte counts";
    std::string pastThePage = page;
    pastThePage[8192] = 'x';
    EXPECT_EQ(digestOf(pastThePage), base) << "the next page does not";
    EXPECT_FALSE(digestOf(page.substr(0, 8191))) << "a page cut short";
    EXPECT_TRUE(digestOf(std::string(4096, 'z'))) << "no page size: the first 4096 bytes";
    EXPECT_FALSE(ReadHeaderPageDigest(dir.File("missing")));
}

// Entries after the fixed part of an ODS 12 header: 1 the root file's name, 2 the next file's
// name, 3 the last page of this file, 0 the end.
TEST(DatabaseHeader, SecondaryFilesFromTheHeaderEntries) {
    const auto header = [](unsigned ods, std::initializer_list<std::string> entries) {
        std::string bytes = Header(0x00, 0x10, 4096);
        bytes[18] = static_cast<char>(ods & 0xFF);
        bytes[19] = static_cast<char>(ods >> 8);
        std::size_t at = 132;
        for (const std::string& entry : entries) {
            bytes.replace(at, entry.size(), entry);
            at += entry.size();
        }
        bytes[66] = static_cast<char>(at & 0xFF);
        bytes[67] = static_cast<char>(at >> 8);
        return bytes;
    };
    const std::string nextFile = std::string("\x02\x0d", 2) + "/tmp/mf/m.fd2";
    const std::string lastPage = std::string("\x03\x04\x2b\x01\x00\x00", 6);
    const std::string rootName = std::string("\x01\x05", 2) + "m.fdb";
    const struct {
        const char* Label;
        std::string Bytes;
        bool Expected;
    } cases[] = {
        {"one file", header(0x800C, {}), false},
        {"a next file", header(0x800C, {nextFile, lastPage}), true},
        {"after another entry", header(0x800C, {rootName, nextFile}), true},
        {"other entries only", header(0x800C, {rootName, lastPage}), false},
        {"another structure", header(0x800B, {nextFile}), false},
        {"cut short", header(0x800C, {nextFile}).substr(0, 100), false},
    };
    TTempDir dir;
    for (const auto& c : cases) {
        dir.Write("db", c.Bytes);
        EXPECT_EQ(HasSecondaryFiles(dir.File("db")), c.Expected) << c.Label;
    }
    EXPECT_FALSE(HasSecondaryFiles(dir.File("missing")));
}
