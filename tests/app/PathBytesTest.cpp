// The file compacted is exactly the file picked: names whose text does not survive a round trip
// through a text box, bytes that are not UTF-8, links, and names too short for a backup beside.
#include "WorkflowFixture.h"

#include <QLabel>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string BackupPathOf(const std::string& db) {
    return db.substr(0, db.size() - 3) + "BAK";
}

class PathBytesTest : public WorkflowFixture {
protected:
    // A database made under a plain name and renamed to the name under test: isql scripts
    // cannot carry every byte a file name may hold.
    std::string MakeNamed(const std::string& name, int rows) {
        const std::string plain = MakeDatabase(dir.File("plain-" + std::to_string(made++) + ".fdb"), rows);
        const std::string path = dir.File(name);
        fs::rename(plain, path);
        return path;
    }

    // Rows of a database whose name isql cannot take, through a plain-named hard link.
    std::int64_t RowsOf(const std::string& path) {
        const std::string link = dir.File("count-" + std::to_string(made++) + ".fdb");
        fs::create_hard_link(path, link);
        const std::int64_t rows = CountRows(link);
        fs::remove(link);
        return rows;
    }

    int made = 0;
};

struct TNameCase {
    const char* Label;
    std::string Name;    // the file picked
    std::string Sibling; // a file beside it whose name reads almost the same
};

class NameCases : public PathBytesTest, public ::testing::WithParamInterface<TNameCase> {};

// The picked file is compacted, its look-alike neighbour is left byte for byte, and nothing
// but the two databases is left in the folder.
TEST_P(NameCases, CompactsThePickedFileOnly) {
    const TNameCase& c = GetParam();
    const std::string db = MakeNamed(c.Name, 2000);
    const std::string sibling = MakeNamed(c.Sibling, 600);
    const std::string siblingBytes = ReadFileBytes(sibling);
    const std::int64_t before = FileSizeOf(db);
    const ino_t original = InodeOf(db);

    RunAllSteps(db);
    EXPECT_EQ(form.RichEdit5->Text(), InABox(Shown(db) + " 최적화 완료."));
    EXPECT_EQ(form.SizeBefore, before);
    EXPECT_NE(InodeOf(db), original) << "the picked file was not rebuilt";
    EXPECT_EQ(RowsOf(db), 1000);
    EXPECT_TRUE(ReadFileBytes(sibling) == siblingBytes) << "the look-alike file was changed";
    std::vector<std::string> expected{c.Name, c.Sibling};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(VisibleNames(dir.Path()), expected);
    EXPECT_EQ(dir.Listing().find(".morvane"), std::string::npos) << dir.Listing();
}

INSTANTIATE_TEST_SUITE_P(Names, NameCases,
                         ::testing::Values(TNameCase{"NoBreakSpace", "a\u00A0b.fdb", "a b.fdb"},
                                           TNameCase{"LineSeparator", "a\u2028b.fdb", "a\nb.fdb"},
                                           TNameCase{"ParagraphSeparator", "a\u2029b.fdb", "a\nb.fdb"},
                                           TNameCase{"Tab", "a\tb.fdb", "a    b.fdb"},
                                           TNameCase{"LeadingBlank", " lead.fdb", "lead.fdb"},
                                           TNameCase{"TrailingDot", "dot.fdb.", "dot.fdb"},
                                           TNameCase{"EqualsSign", "x=12.fdb", "x"},
                                           TNameCase{"Korean", "상점 데이터.fdb", "상점데이터.fdb"}),
                         [](const auto& info) { return std::string(info.param.Label); });

// Firebird 3 turns every file name into UTF-8 before it opens the file, and refuses bytes that
// are not UTF-8. What matters here: the dialog's text (U+FFFD for such bytes) is traced back to
// the exact bytes, those are what is measured and sent, and the engine's own reason is shown.
TEST_F(PathBytesTest, BytesThatAreNotUtf8ReachTheEngineUnchanged) {
    const std::string folder = dir.File(std::string("f\xc3(der"));
    fs::create_directory(folder);
    for (const std::string& db : {dir.File(std::string("bad\xff\xfe.fdb")), folder + "/data.fdb"}) {
        SCOPED_TRACE(db);
        fs::rename(MakeDatabase(dir.File("x.fdb"), 800), db);
        const std::string bytes = ReadFileBytes(db);

        Pick(db);
        EXPECT_EQ(form.RichEdit1->Text(), Shown(db));
        EXPECT_EQ(form.DatabasePath(), db);
        EXPECT_EQ(form.SizeBefore, FileSizeOf(db));
        form.sButton2Click();
        const auto lines = LinesOf(form.RichEdit3);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2].text, Shown(db) + " 백업진행 오류.");
        EXPECT_TRUE(lines.back().text.contains("Cannot transliterate")) << lines.back().text.toStdString();
        EXPECT_TRUE(ReadFileBytes(db) == bytes);
        EXPECT_FALSE(fs::exists(BackupPathOf(db))) << "the failed backup leaves no file";
    }
}

// Names whose bytes differ but which the dialog shows the same way: nobody can tell which one
// was meant, so neither is taken.
TEST_F(PathBytesTest, NamesThatReadTheSameCannotBePicked) {
    const std::string first = MakeNamed(std::string("twin\xff.fdb"), 200);
    for (const std::string& other : {std::string("twin\xfe.fdb"), std::string("twin\uFFFD.fdb")}) {
        SCOPED_TRACE(other);
        const std::string second = MakeNamed(other, 200);
        const std::string firstBytes = ReadFileBytes(first), secondBytes = ReadFileBytes(second);
        PickText(Shown(first)); // both show as "twin\uFFFD.fdb"
        EXPECT_EQ(form.RichEdit1->Text(), "");
        EXPECT_FALSE(form.sButton2->isEnabled());
        EXPECT_TRUE(form.RichEdit5->Text().contains("여럿")) << form.RichEdit5->Text().toStdString();
        form.sButton2Click();
        EXPECT_TRUE(ReadFileBytes(first) == firstBytes);
        EXPECT_TRUE(ReadFileBytes(second) == secondBytes);
        EXPECT_EQ(dir.Listing().find("BAK"), std::string::npos);
        fs::remove(second);
    }
}

TEST_F(PathBytesTest, PickedLinkCompactsItsTargetAndStaysALink) {
    fs::create_directory(dir.File("real"));
    const std::string target = MakeDatabase(dir.File("real/shop.fdb"), 2000);
    const std::string link = dir.File("link.fdb");
    fs::create_symlink(target, link);
    const ino_t before = InodeOf(target);

    Pick(link);
    EXPECT_EQ(form.RichEdit1->Text(), Shown(target));
    EXPECT_EQ(form.RichEdit2->Text(), Shown(dir.File("real/shop.BAK")));
    form.sButton2Click();
    EXPECT_TRUE(fs::exists(dir.File("real/shop.BAK"))) << "the backup lies beside the target";
    EXPECT_FALSE(fs::exists(dir.File("link.BAK")));
    form.sButton3Click();
    form.sButton4Click();
    EXPECT_EQ(form.RichEdit5->Text(), Shown(target) + " 최적화 완료.");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), target);
    EXPECT_NE(InodeOf(target), before) << "the target was not rebuilt";
    EXPECT_EQ(CountRows(target), 1000);
    EXPECT_EQ(dir.Listing(), "link.fdb;real;");
}

TEST_F(PathBytesTest, NamesOfThreeCharactersOrFewerAreRefused) {
    const std::string db = MakeDatabase(dir.File("ok.fdb"), 100);
    Pick(db);
    fs::create_directory(dir.File("x"));
    WriteFileBytes(dir.File("xBAK"), "unrelated");
    // "ab" last: its backup path would be "xBAK" in the folder above.
    for (const std::string name : {"\xea\xb0\x80\xeb\x82\x98\xeb\x8b\xa4", "abc", "a", "ab"}) {
        SCOPED_TRACE(name);
        const std::string shortName = dir.File("x/" + name);
        fs::copy_file(db, shortName, fs::copy_options::overwrite_existing);
        Pick(shortName);
        EXPECT_EQ(form.RichEdit1->Text(), Shown(db));
        EXPECT_EQ(form.RichEdit2->Text(), Shown(dir.File("ok.BAK")));
        EXPECT_TRUE(form.sButton1->hasFocus());
        EXPECT_EQ(form.RichEdit5->Text(), Shown(shortName) + " 이름이 세 글자 이하라 선택할 수 없습니다.");
    }
    form.sButton2Click();
    EXPECT_EQ(dir.Read("xBAK"), "unrelated");
}

} // namespace
