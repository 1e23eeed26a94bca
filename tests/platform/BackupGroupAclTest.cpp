// The backup steps of a run made by a user who is not in the database's group: the backup is
// made with CreateNewFile(..., group) and then given the database's access list with
// CopyAccessList, as TCompactionRun::StartBackup does. The backup must not open the data to a
// group that cannot read the database.
#include "AccessListBytes.h"
#include "FileSystem.h"
#include "TempDir.h"

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
    const std::string acl = AccessListBytes({{kAclUserObj, 6, kAclNoId},
                                             {kAclUser, 6, runner},
                                             {kAclGroupObj, 6, kAclNoId},
                                             {kAclMask, 6, kAclNoId},
                                             {kAclOther, 0, kAclNoId}});
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
