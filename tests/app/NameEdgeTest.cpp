// The file compacted is the file picked and no other: not a neighbour whose name the engine
// reads the same, and not with a second name left behind on the old file.
#include "WorkflowFixture.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class NameEdgeTest : public WorkflowFixture {
protected:
    std::string MakeNamed(const std::string& name, int rows) {
        const std::string plain = MakeDatabase(dir.File("plain-" + std::to_string(made++) + ".fdb"), rows);
        fs::rename(plain, dir.File(name));
        return dir.File(name);
    }
    int made = 0;
};

// A database with a second name (a hard link, such as the name a server alias points at): after
// the run both names must still be the same database, or the second name silently keeps the old
// file and every later write through it goes to a copy.
TEST_F(NameEdgeTest, ASecondNameOfTheDatabaseIsNotLeftOnTheOldFile) {
    const std::string db = MakeDatabase(dir.File("main.fdb"), 2000);
    const std::string alias = dir.File("alias.fdb");
    fs::create_hard_link(db, alias);
    RunAllSteps(db);
    const bool compacted = form.RichEdit4->Text().contains(QString::fromUtf8("데이터베이스 최적화 완료."));
    EXPECT_TRUE(!compacted || InodeOf(db) == InodeOf(alias))
        << "main.fdb was rebuilt as a new file; alias.fdb still names the old one";
}

// The engine drops trailing blanks from the names it is given: the backup of "trail.fdb " must
// not be a backup of its neighbour "trail.fdb" reported as done.
TEST_F(NameEdgeTest, TheBackupOfANameEndingInABlankIsOfThatFile) {
    const std::string db = MakeNamed("trail.fdb ", 2000);  // 1000 rows
    const std::string sibling = MakeNamed("trail.fdb", 600); // 300 rows
    const std::string siblingBytes = ReadFileBytes(sibling);
    Pick(db);
    form.sButton2Click();
    EXPECT_TRUE(ReadFileBytes(sibling) == siblingBytes) << "the neighbour was attached to and written";
    if (!form.sButton3->isEnabled())
        return; // refused: nothing was claimed
    const std::string check = dir.File("check.fdb");
    const std::string command = "gbak -c -user SYSDBA -password plumbtide '" + dir.File("trail.fBAK") + "' '" +
                                check + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(CountRows(check), 1000) << "the backup reported as done holds another database's rows";
}

} // namespace
