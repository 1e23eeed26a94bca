// A run writes, replaces and deletes only the files it made itself.
#include "WorkflowFixture.h"

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using RunFilesTest = WorkflowFixture;

TEST_F(RunFilesTest, AUsersOwnBackupFileIsNeitherOverwrittenNorDeleted) {
    const std::string db = MakeDatabase(dir.File("SHOP.FDB"), 500);
    dir.Write("SHOP.BAK", "the user's own backup");
    const std::string original = ReadFileBytes(db);

    Pick(db);
    form.sButton2Click();
    const auto lines = LinesOf(form.RichEdit3);
    ASSERT_EQ(lines.size(), 2u) << form.RichEdit3->Text().toStdString();
    EXPECT_EQ(lines[0].text, Shown(db) + " 백업진행 오류.");
    EXPECT_EQ(lines[0].color, kRed);
    EXPECT_TRUE(lines[1].text.contains(Shown(dir.File("SHOP.BAK")))) << lines[1].text.toStdString();
    EXPECT_EQ(form.RichEdit5->Text(), Shown(db) + " " + lines[1].text) << "the status line says why";
    ExpectButtons({true, false, false}, form.sButton2);
    EXPECT_EQ(dir.Read("SHOP.BAK"), "the user's own backup");

    form.sButton3Click(); // not enabled; a stray click must not restore the user's file
    form.sButton5Click();
    EXPECT_EQ(dir.Read("SHOP.BAK"), "the user's own backup");
    EXPECT_TRUE(ReadFileBytes(db) == original);
    EXPECT_EQ(dir.Listing(), "SHOP.BAK;SHOP.FDB;");
}

// The backup holds every row: it is readable by no one who may not read the database.
TEST_F(RunFilesTest, TheBackupIsNoMoreReadableThanTheDatabase) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const mode_t mode : {mode_t(0600), mode_t(0640), mode_t(0660), mode_t(0664)}) {
        SCOPED_TRACE(mode);
        const std::string db = MakeDatabase(dir.File("m.fdb"), 100);
        fs::permissions(db, static_cast<fs::perms>(mode));
        Pick(db);
        form.sButton2Click();
        ASSERT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();
        struct stat st {};
        ASSERT_EQ(::stat(dir.File("m.BAK").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, (0600 | (mode & 0066)) & ~mask);
        form.sButton5Click();
        fs::remove(dir.File("m.BAK"));
        fs::remove(db);
    }
}

// Group bits are meant for the database's group: the backup is in that group, not in the group
// of whoever made it.
TEST_F(RunFilesTest, TheBackupIsInTheDatabasesGroup) {
    const std::string db = MakeDatabase(dir.File("g.fdb"), 100);
    const gid_t nogroup = 65534;
    ASSERT_EQ(::chown(db.c_str(), static_cast<uid_t>(-1), nogroup), 0);
    ASSERT_EQ(::chmod(db.c_str(), 0660), 0);
    ASSERT_NE(::getegid(), nogroup);
    Pick(db);
    form.sButton2Click();
    ASSERT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("g.BAK").c_str(), &st), 0);
    EXPECT_EQ(st.st_gid, nogroup);
}

TEST_F(RunFilesTest, ExitLeavesABackupFileThisRunDidNotWrite) {
    const std::string db = MakeDatabase(dir.File("keep.fdb"), 100);
    dir.Write("keep.BAK", "not ours");
    Pick(db);
    form.sButton5Click();
    EXPECT_EQ(dir.Read("keep.BAK"), "not ours");
}

// A failed optimise whose original could not be put back keeps that original's set-aside file
// and its record; a later optimise of another database must never take it for its own.
TEST_F(RunFilesTest, SetAsideFileBelongsToOneOptimiseOnly) {
    const std::string first = MakeDatabase(dir.File("first.fdb"), 1000);
    Pick(first);
    form.sButton2Click();
    const std::string firstBytes = ReadFileBytes(first); // as the backup left it
    DamageSecondHalfUnseen(dir.File("first.BAK"));
    // While the restore runs, the set-aside original is taken away, so it cannot be put back.
    const std::string aside = dir.File(".first.fdb.morvane-original");
    const auto moveAway = QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, [&] {
        if (fs::exists(aside))
            fs::rename(aside, dir.File("away"));
    });
    form.sButton3Click();
    QObject::disconnect(moveAway);
    ASSERT_TRUE(fs::exists(dir.File("away")));
    // The window says so, and offers no step on this database any more.
    EXPECT_TRUE(form.RichEdit5->Text().contains("되돌리지 못했습니다"))
        << form.RichEdit5->Text().toStdString();
    ExpectButtons({false, false, false}, form.sButton1);
    const std::string listing = dir.Listing();
    form.sButton3Click(); // a stray click tries to put the original back again, and touches nothing else
    EXPECT_EQ(dir.Listing(), listing);
    fs::rename(dir.File("away"), aside);

    const std::string second = MakeDatabase(dir.File("second.fdb"), 400);
    Pick(second);
    form.sButton2Click();
    fs::remove(second); // the user removed it; the restore makes it anew from the backup
    form.sButton3Click();
    form.sButton4Click();
    EXPECT_EQ(form.RichEdit5->Text(), Shown(second) + " 최적화 완료.");
    EXPECT_EQ(CountRows(second), 200);
    EXPECT_TRUE(ReadFileBytes(aside) == firstBytes) << "another run's original was deleted";
}

} // namespace
