// A database shared through an access list (a named user, such as the server's account, may
// read and write it; the owning group may not) keeps exactly that access: neither its backup nor
// the rebuilt file may open it to the group (new files of a shared, set-group folder take its group), and the named user keeps it.
#include "WorkflowFixture.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using AccessListTest = WorkflowFixture;

// The access list as the kernel stores it (version 2, then tag, permissions and id per entry).
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
    const std::string acl = AccessList({{kUserObj, 6, kNone},
                                        {kUser, 6, 1},
                                        {kGroupObj, 0, kNone},
                                        {kMask, 6, kNone},
                                        {kOther, 0, kNone}});
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
