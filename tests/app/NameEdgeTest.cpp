// The file compacted is the file picked and no other: not a neighbour whose name the engine
// reads the same, and not with a second name left behind on the old file.
#include "RunJournal.h"
#include "WorkflowFixture.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

using NameLengthTest = NameEdgeTest;

// The run gives files beside the database names longer than the database's own (the longest,
// ".<name>.morvane-original.99", by 21 bytes), and the engine cuts a backup path of more than
// 255 bytes, leaving a backup that cannot be restored. Either is refused at the pick, not found
// out halfway through the run; the longest name and path that fit run to the end.
TEST_F(NameLengthTest, NamesAndPathsTooLongForTheRunAreRefusedAtThePick) {
    const std::string folder = dir.Path() + "/";
    // A name the run's files cannot follow, in a folder with a short path: right in /tmp.
    const std::string shortFolder = "/tmp/";
    const std::string longName = std::to_string(::getpid()) + std::string(235 - std::to_string(::getpid()).size() - 4, 'n') + ".fdb";
    const struct {
        const char* Label;
        std::string Path;
        const char* Refusal;
    } refused[] = {
        {"path", folder + std::string(255 - folder.size() - 4 + 1, 'p') + ".fdb", "경로가 너무 길어 선택할 수 없습니다"},
        {"name", shortFolder + longName, "이름이 너무 길어 선택할 수 없습니다"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.Label);
        CreateTestDatabase({.Path = c.Path, .Rows = 10});
        Pick(c.Path);
        EXPECT_TRUE(form.RichEdit5->Text().contains(QString::fromUtf8(c.Refusal)))
            << form.RichEdit5->Text().toStdString();
        EXPECT_FALSE(form.sButton2->isEnabled());
        const std::string folderOf = c.Path.substr(0, c.Path.rfind('/') + 1);
        std::string leftovers;
        for (const auto& entry : fs::directory_iterator(folderOf))
            if (entry.path().filename().string().find(c.Path.substr(folderOf.size())) != std::string::npos &&
                entry.path().string() != c.Path)
                leftovers += entry.path().filename().string() + " ";
        EXPECT_EQ(leftovers, "");
        fs::remove(c.Path);
    }

    const std::string fits = folder + std::string(255 - folder.size() - 4, 'f') + ".fdb"; // 255 bytes
    ASSERT_EQ(fits.size(), 255u);
    ASSERT_LE(LongestRunFileName(fits), 255u);
    const std::string db = MakeNamed(fits.substr(folder.size()), 2000);
    RunAllSteps(db);
    EXPECT_TRUE(form.RichEdit4->Text().contains(QString::fromUtf8("데이터베이스 최적화 완료.")))
        << form.RichEdit4->Text().toStdString();
    // isql-fb takes no path that long: the rows are counted under a short name.
    fs::rename(db, dir.File("short.fdb"));
    EXPECT_EQ(CountRows(dir.File("short.fdb")), 1000);
}

} // namespace

namespace {

// A database that goes on in a secondary file would be rebuilt as one file, the secondary file
// left behind and the sizes reported without it: it is refused at the pick.
TEST_F(NameEdgeTest, ADatabaseInSeveralFilesIsRefusedAtThePick) {
    const std::string db = dir.File("multi.fdb");
    RunIsql("create database '" + db + "' page_size 4096 file '" + dir.File("multi.fd2") +
            "' starting at page 300;\ncreate table T (ID integer);\ncommit;\n");
    ASSERT_TRUE(fs::exists(dir.File("multi.fd2")));
    Pick(db);
    EXPECT_TRUE(form.RichEdit5->Text().contains(QString::fromUtf8("보조 파일로 나뉜 데이터베이스라 선택할 수 없습니다")))
        << form.RichEdit5->Text().toStdString();
    EXPECT_FALSE(form.sButton2->isEnabled());
    EXPECT_EQ(dir.Listing().find(".morvane"), std::string::npos) << dir.Listing();
}

} // namespace

namespace {

// A pipe or a device is no database file: refused at the pick, with nothing made beside it.
TEST_F(NameEdgeTest, AFileThatIsNotARegularFileIsRefusedAtThePick) {
    const std::string pipe = dir.File("pipe.fdb");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string device = dir.File("zero.fdb");
    fs::create_symlink("/dev/zero", device);
    for (const std::string& path : {pipe, device}) {
        SCOPED_TRACE(path);
        Pick(path);
        EXPECT_TRUE(form.RichEdit5->Text().contains(QString::fromUtf8("보통 파일이 아니라 선택할 수 없습니다")))
            << form.RichEdit5->Text().toStdString();
        EXPECT_FALSE(form.sButton2->isEnabled());
    }
    EXPECT_EQ(dir.Listing().find(".morvane"), std::string::npos) << dir.Listing();
    EXPECT_FALSE(fs::exists("/dev/.zero.morvane-lock"));
}

} // namespace
