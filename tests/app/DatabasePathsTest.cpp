#include "DatabasePaths.h"

#include <gtest/gtest.h>

namespace {

TEST(DatabasePaths, BackupPathReplacesTheLastThreeCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\data\\SHOP.FDB", "C:\\data\\SHOP.BAK"},
        {"C:\\data\\shop.gdb", "C:\\data\\shop.BAK"},
        {"D:\\db\\x.ib", "D:\\db\\xBAK"},
        {"/home/kim/데이터/가게.fdb", "/home/kim/데이터/가게.BAK"},
        {"/db/이름", "/dbBAK"},
        {"ab", "BAK"},
        {"", "BAK"},
        {"/x/a\U0001F600\U0001F600\U0001F600", "/x/aBAK"},
        // Bytes that are no valid UTF-8 count one character each.
        {"/x/data\xff\xfe\xfd", "/x/dataBAK"},
        {"/x/data.\xe2\x80", "/x/dataBAK"}, // a sequence cut short: each byte on its own
        {"/x/ab\xed\xa0\x80", "/x/abBAK"},  // an encoded surrogate is no character: three bytes
        {"/x/a.fdb.", "/x/a.fBAK"},
    };
    for (const auto& [db, bak] : cases)
        EXPECT_EQ(BackupPathFor(db), bak) << db;
}

TEST(DatabasePaths, NamesThatWouldBeTheirOwnBackup) {
    for (const char* name : {"/x/shop.BAK", "/x/shop.bak", "/x/shopbAk", "bak"})
        EXPECT_TRUE(IsOwnBackupName(name)) << name;
    for (const char* name : {"/x/shop.fdb", "/x/BAK.fdb", "ba", ""})
        EXPECT_FALSE(IsOwnBackupName(name)) << name;
}

TEST(DatabasePaths, NamesOfThreeCharactersOrFewerHaveNoBackupBeside) {
    for (const char* path : {"/x/ab", "/x/abc", "/x/a", "/x/", "abc", "/x/가나다", "/x/\xff\xfe\xfd"})
        EXPECT_TRUE(IsNameTooShortForBackup(path)) << path;
    for (const char* path : {"/x/abcd", "/x/a.fdb", "/x/가나다라", "/x/\xff\xfe\xfd\xfc", "/ab/cdef"})
        EXPECT_FALSE(IsNameTooShortForBackup(path)) << path;
}

} // namespace
