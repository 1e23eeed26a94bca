// A database shared through an access list (a named user, such as the server's account, may
// read and write it; the owning group may not) keeps exactly that access: neither its backup nor
// the rebuilt file may open it to the group (new files of a shared, set-group folder take its
// group), and the named user keeps it.
#include "AccessListBytes.h"
#include "WorkflowFixture.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using AccessListTest = WorkflowFixture;

bool CanRead(const char* user, const std::string& path) {
    const std::string command = std::string("runuser -u ") + user + " -- head -c1 '" + path + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

TEST_F(AccessListTest, TheRunKeepsTheDatabasesAccessList) {
    // A shared folder: new files in it take its group.
    ASSERT_EQ(::chown(dir.Path().c_str(), 0, 65534), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 02751), 0);
    const std::string db = MakeDatabase(dir.File("acl.fdb"), 400);
    // Owned by root, group nogroup; the group may not read it, the account daemon may.
    ASSERT_EQ(::chown(db.c_str(), 0, 65534), 0);
    const std::string acl = AccessListBytes({{kAclUserObj, 6, kAclNoId},
                                             {kAclUser, 6, 1},
                                             {kAclGroupObj, 0, kAclNoId},
                                             {kAclMask, 6, kAclNoId},
                                             {kAclOther, 0, kAclNoId}});
    ASSERT_EQ(::setxattr(db.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0), 0)
        << std::strerror(errno);
    ASSERT_FALSE(CanRead("nobody", db)) << "the group nogroup may not read the database";
    ASSERT_TRUE(CanRead("daemon", db));

    Pick(db);
    form.sButton2Click();
    ASSERT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();
    EXPECT_FALSE(CanRead("nobody", dir.File("acl.BAK"))) << "the backup opens the data to the group";

    form.sButton3Click();
    ASSERT_TRUE(form.sButton4->isEnabled()) << form.RichEdit4->Text().toStdString();
    EXPECT_FALSE(CanRead("nobody", db)) << "the rebuilt database opens the data to the group";
    EXPECT_TRUE(CanRead("daemon", db)) << "the account the access list named has lost the database";
    form.sButton4Click();
}

} // namespace
