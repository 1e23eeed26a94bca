// The rebuilt database is the same database, only smaller: same page size, same owner, group
// and permission bits as the original.
#include "DatabaseHeader.h"
#include "WorkflowFixture.h"

#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using RebuildTest = WorkflowFixture;

struct TPageCase {
    int PageSize;
    int Rows;
};

class PageSizes : public WorkflowFixture, public ::testing::WithParamInterface<TPageCase> {};

TEST_P(PageSizes, RebuildKeepsThePageSize) {
    const TPageCase& c = GetParam();
    const std::string db = dir.File("paged.fdb");
    CreateTestDatabase({.Path = db, .Rows = c.Rows, .DeleteHalf = true, .PageSize = c.PageSize});
    ASSERT_EQ(ReadDatabasePageSize(db), c.PageSize);
    RunAllSteps(db);
    EXPECT_EQ(form.RichEdit5->Text(), Shown(db) + " 최적화 완료.");
    EXPECT_EQ(ReadDatabasePageSize(db), c.PageSize);
    EXPECT_EQ(CountRows(db), c.Rows / 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PageSizes,
                         ::testing::Values(TPageCase{4096, 2000}, TPageCase{8192, 3000},
                                           TPageCase{16384, 3000}),
                         [](const auto& info) { return std::to_string(info.param.PageSize); });

// An index key longer than a quarter of a 4 KiB page fits only at the database's own size.
TEST_F(RebuildTest, IndexOnALongVarcharSurvives) {
    const std::string db = dir.File("long.fdb");
    RunIsql("create database '" + db +
            "' page_size 16384;\n"
            "create table DOCS (ID integer not null primary key, TITLE varchar(3000) character set none);\n"
            "create index IX_TITLE on DOCS (TITLE);\n"
            "commit;\n"
            "set term ^;\n"
            "execute block as declare i integer = 0; begin\n"
            "  while (i < 300) do begin\n"
            "    insert into DOCS values (:i, lpad(:i, 2900, 'k'));\n"
            "    i = i + 1;\n"
            "  end\n"
            "end^\n"
            "set term ;^\n"
            "delete from DOCS where mod(ID, 3) = 0;\n"
            "commit;\n");
    RunAllSteps(db);
    EXPECT_EQ(form.RichEdit5->Text(), Shown(db) + " 최적화 완료.");
    EXPECT_EQ(ReadDatabasePageSize(db), 16384);
    const std::string output =
        RunIsql("connect '" + db + "';\nset list on;\nselect count(*) as N from DOCS where TITLE > '';\n");
    const std::size_t at = output.find("N ");
    ASSERT_NE(at, std::string::npos) << output;
    EXPECT_EQ(std::stoll(output.substr(at + 1)), 200) << output;
}

struct TOwnerCase {
    const char* Label;
    const char* User;
    const char* Group;
    fs::perms Mode;
};

class OwnerCases : public WorkflowFixture, public ::testing::WithParamInterface<TOwnerCase> {};

TEST_P(OwnerCases, RebuiltFileHasTheOriginalsOwnerGroupAndMode) {
    const TOwnerCase& c = GetParam();
    const std::string db = MakeDatabase(dir.File("owned.fdb"), 1000);
    const uid_t uid = getpwnam(c.User)->pw_uid;
    const gid_t gid = getgrnam(c.Group)->gr_gid;
    ASSERT_EQ(chown(db.c_str(), uid, gid), 0);
    fs::permissions(db, c.Mode);
    RunAllSteps(db);
    EXPECT_EQ(form.RichEdit5->Text(), Shown(db) + " 최적화 완료.");
    struct stat st {};
    ASSERT_EQ(stat(db.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, uid);
    EXPECT_EQ(st.st_gid, gid);
    EXPECT_EQ(st.st_mode & 07777, static_cast<unsigned>(c.Mode));
    EXPECT_EQ(CountRows(db), 500);
}

INSTANTIATE_TEST_SUITE_P(Owners, OwnerCases,
                         ::testing::Values(TOwnerCase{"FirebirdServerFile", "firebird", "firebird",
                                                      fs::perms::owner_read | fs::perms::owner_write |
                                                          fs::perms::group_read | fs::perms::group_write},
                                           TOwnerCase{"PrivateFile", "root", "root",
                                                      fs::perms::owner_read | fs::perms::owner_write},
                                           TOwnerCase{"AnotherUsersFile", "nobody", "nogroup",
                                                      fs::perms::owner_read | fs::perms::owner_write |
                                                          fs::perms::others_read}),
                         [](const auto& info) { return std::string(info.param.Label); });

} // namespace
