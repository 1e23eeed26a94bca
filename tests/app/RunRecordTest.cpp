// The run's record beside the database and the lock that keeps two runs apart. The record is
// read back after crashes, so it is read like anything from outside: strictly and with a limit.
#include "RunJournal.h"
#include "RunLock.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

TRunRecord SampleRecord(const std::string& database) {
    TRunRecord r;
    r.RunId = "0123456789abcdef0123456789abcdef";
    r.State = TRunState::RestoreStarted;
    r.Database = database;
    r.Backup = database.substr(0, database.size() - 3) + "BAK";
    r.BackupId = {2049, 77, 1700000000000000001};
    r.Aside = AsidePathFor(database, 1);
    r.Original = {.Id = {2049, 78, 1700000000000000002},
                  .Size = 1234567,
                  .ModifiedNs = 1700000000123456789,
                  .Uid = 998,
                  .Gid = 997,
                  .Mode = 0660};
    r.RebuiltId = {2049, 79, 0};
    r.BackedUpDatabase = TFileFacts{.Id = {2049, 78, 1700000000000000002},
                                    .Size = 1234560,
                                    .ModifiedNs = 1700000000000000777,
                                    .Uid = 998,
                                    .Gid = 997,
                                    .Mode = 0660};
    r.BackedUpHeader = 0xfedcba9876543210ULL;
    return r;
}

TEST(RunRecord, NamesBesideTheDatabase) {
    EXPECT_EQ(RunRecordPathFor("/d/shop.fdb"), "/d/.shop.fdb.morvane-run");
    EXPECT_EQ(RunLockPathFor("/d/shop.fdb"), "/d/.shop.fdb.morvane-lock");
    EXPECT_EQ(AsidePathFor("/d/shop.fdb", 0), "/d/.shop.fdb.morvane-original");
    EXPECT_EQ(AsidePathFor("/d/shop.fdb", 3), "/d/.shop.fdb.morvane-original.3");
    EXPECT_EQ(AsidePathFor("/shop.fdb", 0), "/.shop.fdb.morvane-original");
    EXPECT_EQ(AsidePathFor("shop.fdb", 0), ".shop.fdb.morvane-original");
    for (const char* name :
         {".shop.fdb.morvane-original", ".shop.fdb.morvane-original.1", ".shop.fdb.morvane-original.42"})
        EXPECT_TRUE(IsAsideNameOf(name, "/d/shop.fdb")) << name;
    for (const char* name :
         {".shop.fdb.morvane-original.", ".shop.fdb.morvane-original.x", ".shop.fdb.morvane-originals",
          ".shop.fdb.morvane-run", ".shop.fd.morvane-original", "shop.fdb", ".other.fdb.morvane-original"})
        EXPECT_FALSE(IsAsideNameOf(name, "/d/shop.fdb")) << name;
}

TEST(RunRecord, EncodesAndDecodesEveryField) {
    const TRunRecord record = SampleRecord(std::string("/d/sh\xff\n op=.fdb"));
    const std::string text = EncodeRunRecord(record);
    EXPECT_EQ(text.find("\xff"), std::string::npos) << "paths are written as hex";
    const auto decoded = DecodeRunRecord(text);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(*decoded == record);
    for (TRunState state : {TRunState::BackupStarted, TRunState::BackedUp, TRunState::RestoreStarted,
                            TRunState::RestoreFinished, TRunState::Optimised}) {
        TRunRecord r = record;
        r.State = state;
        r.Aside.clear();
        EXPECT_EQ(DecodeRunRecord(EncodeRunRecord(r))->State, state);
        EXPECT_TRUE(DecodeRunRecord(EncodeRunRecord(r))->Aside.empty());
    }
}

// Records written before the database's facts and header digest after the backup were kept
// still read, without them; each comes once at the most, and a digest is 16 hex digits.
TEST(RunRecord, TheDatabaseAfterTheBackupIsOptional) {
    TRunRecord older = SampleRecord("/d/shop.fdb");
    older.BackedUpDatabase.reset();
    older.BackedUpHeader.reset();
    const std::string text = EncodeRunRecord(older);
    EXPECT_EQ(text.find("backed-up-"), std::string::npos);
    const auto decoded = DecodeRunRecord(text);
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(decoded->BackedUpDatabase);
    EXPECT_FALSE(decoded->BackedUpHeader);

    const std::string good = EncodeRunRecord(SampleRecord("/d/shop.fdb"));
    EXPECT_NE(good.find("backed-up-header fedcba9876543210\n"), std::string::npos);
    for (const char* key : {"backed-up-database", "backed-up-header"}) {
        std::string twice = good;
        const std::size_t at = twice.find(key);
        const std::string line = twice.substr(at, twice.find('\n', at) - at + 1);
        twice.insert(at, line);
        EXPECT_FALSE(DecodeRunRecord(twice)) << key;
    }
    for (const char* digest : {"fedcba987654321", "fedcba98765432100", "fedcba987654321g", "-edcba9876543210"}) {
        std::string bad = good;
        bad.replace(bad.find("fedcba9876543210"), 16, digest);
        EXPECT_FALSE(DecodeRunRecord(bad)) << digest;
    }
}

TEST(RunRecord, AnythingButAWholeRecordIsRefused) {
    const std::string good = EncodeRunRecord(SampleRecord("/d/shop.fdb"));
    const auto without = [&](const std::string& line) {
        std::string text = good;
        text.erase(text.find(line), line.size());
        return text;
    };
    const std::string idLine =
        good.substr(good.find("id "), good.find('\n', good.find("id ")) - good.find("id ") + 1);
    const std::string cases[] = {
        "",
        good.substr(0, good.size() / 2),                       // cut short by a crash
        without("end\n"),                                      // no end mark
        without(idLine),                                       // a key missing
        good + "x",                                            // something after the end
        "morvane-run 2\n" + good.substr(good.find('\n') + 1),  // another format
        good.substr(0, good.find("end\n")) + idLine + "end\n", // a key twice
        good.substr(0, good.find("end\n")) + "extra 1\nend\n", // an unknown key
    };
    for (const std::string& text : cases)
        EXPECT_FALSE(DecodeRunRecord(text)) << text;
    std::string badHex = good;
    badHex.replace(badHex.find("database ") + 9, 2, "zz");
    EXPECT_FALSE(DecodeRunRecord(badHex));
    std::string badState = good;
    badState.replace(badState.find("restore-started"), 15, "restore-stalled");
    EXPECT_FALSE(DecodeRunRecord(badState));
    std::string badNumber = good;
    badNumber.replace(badNumber.find(" 2049 77 "), 9, " 2049 7x ");
    EXPECT_FALSE(DecodeRunRecord(badNumber));
}

TEST(RunRecord, WrittenReadAndRemovedBesideTheDatabase) {
    TTempDir dir;
    const std::string db = dir.File("shop.fdb");
    TRunRecord read;
    EXPECT_EQ(ReadRunRecord(db, read), TRunRecordRead::Missing);
    const TRunRecord record = SampleRecord(db);
    ASSERT_TRUE(WriteRunRecord(record));
    EXPECT_EQ(dir.Listing(), ".shop.fdb.morvane-run;") << "no temporary file is left";
    ASSERT_EQ(ReadRunRecord(db, read), TRunRecordRead::Read);
    EXPECT_TRUE(read == record);

    // A folder reached another way (a link to it): the files are taken beside the database.
    fs::create_directory_symlink(dir.Path(), dir.File("alias"));
    const std::string viaAlias = dir.File("alias/shop.fdb");
    ASSERT_EQ(ReadRunRecord(viaAlias, read), TRunRecordRead::Read);
    EXPECT_EQ(read.Database, viaAlias);
    EXPECT_EQ(read.Aside, dir.File("alias/.shop.fdb.morvane-original.1"));
    EXPECT_EQ(read.Backup, dir.File("alias/shop.BAK"));

    ASSERT_TRUE(RemoveRunRecord(db));
    EXPECT_EQ(ReadRunRecord(db, read), TRunRecordRead::Missing);
    EXPECT_TRUE(RemoveRunRecord(db)) << "removing what is gone is no failure";
}

TEST(RunRecord, HostileRecordFilesAreUnreadable) {
    TTempDir dir;
    const std::string db = dir.File("shop.fdb");
    TRunRecord read;
    dir.Write(".shop.fdb.morvane-run", std::string(10 * 1024 * 1024, 'a')); // too large to be one
    EXPECT_EQ(ReadRunRecord(db, read), TRunRecordRead::Unreadable);
    dir.Write(".shop.fdb.morvane-run", EncodeRunRecord(SampleRecord(dir.File("other.fdb"))));
    EXPECT_EQ(ReadRunRecord(db, read), TRunRecordRead::Unreadable) << "another database's record";
    fs::remove(dir.File(".shop.fdb.morvane-run"));
    fs::create_directory(dir.File(".shop.fdb.morvane-run"));
    EXPECT_EQ(ReadRunRecord(db, read), TRunRecordRead::Unreadable) << "a folder";
    fs::remove(dir.File(".shop.fdb.morvane-run"));
    fs::create_symlink(dir.File("elsewhere"), dir.File(".shop.fdb.morvane-run"));
    EXPECT_EQ(ReadRunRecord(db, read), TRunRecordRead::Unreadable) << "a link is not followed";
    EXPECT_FALSE(WriteRunRecord(SampleRecord(db)) && fs::exists(dir.File("elsewhere")));
}

TEST(RunLock, OneHolderAtATime) {
    TTempDir dir;
    const std::string path = dir.File(".shop.fdb.morvane-lock");
    TRunLock first, second;
    EXPECT_EQ(first.Acquire(path), TRunLock::TResult::Acquired);
    EXPECT_EQ(second.Acquire(path), TRunLock::TResult::Busy);
    EXPECT_FALSE(second.Held());
    first.Release(true);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(second.Acquire(path), TRunLock::TResult::Acquired);
    second.Release(false);
    EXPECT_TRUE(fs::exists(path)) << "kept when asked";
    EXPECT_EQ(first.Acquire(dir.File("missing-folder/lock")), TRunLock::TResult::Failed);
}

} // namespace
