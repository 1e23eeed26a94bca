#include "DatabaseHeader.h"

#include "TempDir.h"

#include <gtest/gtest.h>

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

} // namespace
