// The backup steps of a run made by a user who is not in the database's group: the backup is
// made with CreateNewFile(..., group) and then given the database's access list with
// CopyAccessList, as TCompactionRun::StartBackup does. The backup must not open the data to a
// group that cannot read the database.
#include "FileSystem.h"
#include "TempDir.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

std::string AccessList(std::initializer_list<std::array<std::uint32_t, 3>> entries) {
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
constexpr std::uint32_t kUserObj = 0x01, kUser = 0x02, kGroupObj = 0x04, kMask = 0x10, kOther = 0x20;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

// Runs `work` in a child as uid/gid (no supplementary groups); its exit code.
template <typename Work>
int AsUser(uid_t uid, gid_t gid, Work work) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(99);
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

} // namespace

TEST(BackupGroupAcl, ABackupOutsideTheDatabasesGroupDoesNotOpenTheDataToTheMakersGroup) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to set the scene";
    TTempDir dir;
    const uid_t runner = 1;       // daemon: not in group sys
    const gid_t runnerGroup = 1;  // daemon
    const gid_t dbGroup = 3;      // sys
    const uid_t stranger = 65534; // nobody, given group daemon below
    ASSERT_EQ(::chown(dir.Path().c_str(), runner, runnerGroup), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    const std::string db = dir.File("shop.fdb");
    dir.Write("shop.fdb", "every row");
    ASSERT_EQ(::chown(db.c_str(), 0, dbGroup), 0);
    // The group sys may read and write; the runner is named; nobody else may.
    const std::string acl = AccessList(
        {{kUserObj, 6, kNone}, {kUser, 6, runner}, {kGroupObj, 6, kNone}, {kMask, 6, kNone}, {kOther, 0, kNone}});
    ASSERT_EQ(::setxattr(db.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0), 0) << std::strerror(errno);

    const std::string backup = dir.File("shop.BAK");
    const int made = AsUser(runner, runnerGroup, [&] {
        struct stat st {};
        if (::stat(db.c_str(), &st) != 0)
            return 1;
        TFileId id;
        if (!CreateNewFile(backup, id, 0600 | (st.st_mode & 0066), static_cast<unsigned>(st.st_gid)))
            return 2;
        if (!CopyAccessList(db, backup))
            return 3;
        return ::open(backup.c_str(), O_WRONLY) >= 0 ? 0 : 4;
    });
    ASSERT_EQ(made, 0);
    struct stat bst {};
    ASSERT_EQ(::stat(backup.c_str(), &bst), 0);

    // A member of the runner's group (not of sys, not named in the list).
    const auto canRead = [&](const std::string& path) {
        return AsUser(stranger, runnerGroup, [&] { return ::open(path.c_str(), O_RDONLY) >= 0 ? 0 : 1; }) == 0;
    };
    ASSERT_FALSE(canRead(db)) << "the scene: the runner's group may not read the database";
    EXPECT_FALSE(canRead(backup)) << "the backup opens every row to the group of whoever made it";
}
