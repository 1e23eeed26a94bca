// The compaction run by a user without privileges (nobody), on databases owned in various ways.
// The rebuilt file must get the original's owner, group and mode; where that is not allowed,
// the optimise fails and the original goes back, exactly as it was.
#include "StepRunnerProcess.h"
#include "TempDir.h"
#include "TestDatabase.h"

#include <algorithm>
#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

enum class TOutcome { Compacted, OriginalBack, BackupRefused };

struct TOwnerCase {
    const char* Label;
    const char* User;
    const char* Group;
    unsigned Mode;
    TOutcome Outcome;
    const char* Reason; // part of the reason line after the error line
};

struct stat StatOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

class Unprivileged : public ::testing::TestWithParam<TOwnerCase> {
protected:
    void SetUp() override {
        fs::permissions(dir.Path(), fs::perms::all); // the user may make files beside the database
        fs::create_directory(lockFolder);
        fs::permissions(lockFolder, fs::perms::all);
    }

    TStepRunner::TOptions AsNobody() const {
        // The engine's lock files of root's runs are not the user's to share.
        return {.User = {"runuser", "-u", "nobody", "--", "env", "FIREBIRD_LOCK=" + lockFolder + "/",
                         "HOME=/tmp"}};
    }

    TTempDir dir;
    const std::string lockFolder = dir.File("engine-locks");
};

TEST_P(Unprivileged, RebuiltFileIsTheOriginalsOrTheOriginalStays) {
    const TOwnerCase& c = GetParam();
    const std::string db = dir.File("owned.fdb");
    CreateTestDatabase({.Path = db, .Rows = 2000, .DeleteHalf = true});
    const uid_t uid = getpwnam(c.User)->pw_uid;
    const gid_t gid = getgrnam(c.Group)->gr_gid;
    ASSERT_EQ(chown(db.c_str(), uid, gid), 0);
    ASSERT_EQ(chmod(db.c_str(), c.Mode), 0);
    const ino_t original = StatOf(db).st_ino;
    const std::string bytes = ReadFileBytes(db);

    TStepRunner runner(db, AsNobody());
    const auto& said = runner.Finish();
    ASSERT_FALSE(said.empty());
    ASSERT_EQ(said.back(), "end") << "the runner did not finish";
    const std::string status = runner.Said("status").at(0);
    const std::vector<std::string> backupLog = runner.Said("backup"), optimiseLog = runner.Said("optimise");

    const struct stat after = StatOf(db);
    EXPECT_EQ(after.st_uid, uid);
    EXPECT_EQ(after.st_gid, gid);
    EXPECT_EQ(after.st_mode & 07777, c.Mode);
    switch (c.Outcome) {
    case TOutcome::Compacted:
        EXPECT_EQ(status, db + " 최적화 완료.");
        EXPECT_NE(after.st_ino, original);
        EXPECT_EQ(CountRows(db), 1000);
        EXPECT_FALSE(fs::exists(dir.File("owned.BAK")));
        break;
    case TOutcome::OriginalBack:
        ASSERT_GE(optimiseLog.size(), 3u);
        EXPECT_EQ(optimiseLog[optimiseLog.size() - 3], db + " 최적화 진행 오류.");
        EXPECT_NE(optimiseLog[optimiseLog.size() - 2].find(c.Reason), std::string::npos)
            << optimiseLog[optimiseLog.size() - 2];
        EXPECT_EQ(optimiseLog.back(), db + " 기존파일 복원.");
        EXPECT_EQ(after.st_ino, original) << "the original itself is back";
        EXPECT_EQ(CountRows(db), 1000);
        EXPECT_TRUE(fs::exists(dir.File("owned.BAK"))) << "the backup stays after a failed optimise";
        EXPECT_FALSE(fs::exists(dir.File(".owned.fdb.morvane-original")));
        break;
    case TOutcome::BackupRefused:
        EXPECT_TRUE(Contains(backupLog, db + " 백업진행 오류."));
        EXPECT_TRUE(Contains(backupLog, c.Reason)) << "the engine's reason is shown";
        EXPECT_TRUE(optimiseLog == std::vector<std::string>{"아직 준비가 되지않았습니다."});
        EXPECT_EQ(after.st_ino, original);
        EXPECT_TRUE(ReadFileBytes(db) == bytes);
        EXPECT_FALSE(fs::exists(dir.File("owned.BAK")));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Owners, Unprivileged,
    ::testing::Values(
        TOwnerCase{"TheUsersOwnFile", "nobody", "nogroup", 0640, TOutcome::Compacted, ""},
        TOwnerCase{"TheUsersOwnSharedFile", "nobody", "nogroup", 0666, TOutcome::Compacted, ""},
        // Readable and writable by the user, but it cannot give the new file to root.
        TOwnerCase{"AnotherUsersFile", "root", "root", 0666, TOutcome::OriginalBack, "소유자"},
        // Its own file, but in a group it is not a member of.
        TOwnerCase{"AGroupTheUserIsNotIn", "nobody", "firebird", 0666, TOutcome::OriginalBack, "소유자"},
        // The Firebird server's file: the user may not even read it.
        TOwnerCase{"TheServersFile", "firebird", "firebird", 0660, TOutcome::BackupRefused, "ermission"},
        // The engine opens databases for writing: a read-only file is refused by it.
        TOwnerCase{"ReadOnlyFile", "nobody", "nogroup", 0444, TOutcome::BackupRefused, "read-write"}),
    [](const auto& info) { return std::string(info.param.Label); });

} // namespace
