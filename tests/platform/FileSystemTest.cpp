#include "FileSystem.h"

#include "FifoWatchdog.h"
#include "HeldFile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/morvane-fs-XXXXXX";
        dir = mkdtemp(pattern);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    fs::path dir;
};

TEST_F(FileSystemTest, SizeOfMissingEmptyAndOrdinaryFiles) {
    EXPECT_EQ(ReadUnsharedFileSize(Path("missing.fdb")), -1);
    EXPECT_FALSE(fs::exists(Path("missing.fdb"))) << "measuring must never create the file";
    Write("empty.fdb", "");
    EXPECT_EQ(ReadUnsharedFileSize(Path("empty.fdb")), 0);
    Write("some.fdb", std::string(1234, 'x'));
    EXPECT_EQ(ReadUnsharedFileSize(Path("some.fdb")), 1234);
    EXPECT_EQ(ReadUnsharedFileSize(dir.string()), -1) << "a folder is not a file";
}

TEST_F(FileSystemTest, SparseFileOverFourGibShowsItsTrueSize) {
    const std::int64_t size = 3LL * 1024 * 1024 * 1024 + 5;
    Write("big.fdb", "");
    fs::resize_file(Path("big.fdb"), static_cast<std::uintmax_t>(size));
    EXPECT_EQ(ReadUnsharedFileSize(Path("big.fdb")), size);
}

TEST_F(FileSystemTest, FileLockedByAnotherProcessCannotBeMeasured) {
    Write("held.fdb", "data");
    THeldFile holder(Path("held.fdb"));
    EXPECT_EQ(ReadUnsharedFileSize(Path("held.fdb")), -1);
    EXPECT_TRUE(IsFileHeldOpen(Path("held.fdb")));
    holder.Release();
    EXPECT_EQ(ReadUnsharedFileSize(Path("held.fdb")), 4);
    EXPECT_FALSE(IsFileHeldOpen(Path("held.fdb")));
}

TEST_F(FileSystemTest, ExistsDeleteAndRenameWithoutReplacing) {
    Write("a", "1");
    Write("b", "2");
    EXPECT_TRUE(FileExists(Path("a")));
    EXPECT_FALSE(FileExists(dir.string()));
    EXPECT_FALSE(RenameFileNoReplace(Path("a"), Path("b")));
    EXPECT_TRUE(FileExists(Path("a")));
    EXPECT_TRUE(RenameFileNoReplace(Path("a"), Path("c")));
    EXPECT_FALSE(FileExists(Path("a")));
    EXPECT_TRUE(DeleteFile(Path("c")));
    EXPECT_FALSE(FileExists(Path("c")));
}

// A FIFO picked as a database would hold the window in open() until something writes to it.
TEST_F(FileSystemTest, FifoIsNotMeasuredAndNeverBlocks) {
    TFifoWatchdog fifo(Path("pipe.fdb"));
    EXPECT_FALSE(FileExists(Path("pipe.fdb")));
    EXPECT_EQ(ReadUnsharedFileSize(Path("pipe.fdb")), -1);
    EXPECT_EQ(fifo.Rescues(), 0) << "open() blocked on the FIFO";
}

TEST_F(FileSystemTest, FactsIdentityAndNewFiles) {
    Write("a", "12345");
    const auto facts = LookAt(Path("a"));
    ASSERT_TRUE(facts);
    EXPECT_TRUE(facts->Regular);
    EXPECT_EQ(facts->Size, 5);
    fs::create_symlink(Path("a"), Path("link"));
    EXPECT_TRUE(LookAt(Path("link"))->Link) << "a final link is looked at, not followed";
    EXPECT_EQ(ResolveLinks(Path("link")), fs::canonical(Path("a")).string());
    EXPECT_FALSE(ResolveLinks(Path("missing")));
    EXPECT_FALSE(LookAt(Path("missing")));

    // A rename keeps the file's identity; a new file has another.
    ASSERT_TRUE(RenameFileReplacing(Path("a"), Path("b")));
    EXPECT_EQ(LookAt(Path("b"))->Id, facts->Id);
    TFileId made;
    ASSERT_TRUE(CreateNewFile(Path("c"), made));
    EXPECT_EQ(LookAt(Path("c"))->Id, made);
    EXPECT_NE(made, facts->Id);
    EXPECT_FALSE(CreateNewFile(Path("c"), made));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_FALSE(CreateNewFile(Path("link"), made)) << "never through a link";
    EXPECT_TRUE(SyncFile(Path("b")));
    EXPECT_TRUE(SyncFolderOf(Path("b")));
}

TEST_F(FileSystemTest, OwnerAndModeCarryOver) {
    Write("from", "x");
    Write("to", "y");
    ASSERT_EQ(::chown(Path("from").c_str(), 65534, 65534), 0) << "the tests run as root";
    ASSERT_EQ(::chmod(Path("from").c_str(), 02640), 0);
    ASSERT_TRUE(CopyOwnerAndMode(Path("to"), *LookAt(Path("from"))));
    const auto to = LookAt(Path("to"));
    EXPECT_EQ(to->Uid, 65534u);
    EXPECT_EQ(to->Gid, 65534u);
    EXPECT_EQ(to->Mode, 02640u) << "set-id bits survive the change of owner";
}

TEST(FilePaths, FolderAndNameParts) {
    EXPECT_EQ(FolderOf("/a/b/c.fdb"), "/a/b");
    EXPECT_EQ(NameOf("/a/b/c.fdb"), "c.fdb");
    EXPECT_EQ(FolderOf("/c.fdb"), "/");
    EXPECT_EQ(FolderOf("c.fdb"), ".");
    EXPECT_EQ(NameOf("c.fdb"), "c.fdb");
}

TEST_F(FileSystemTest, ListingStopsAtItsLimit) {
    for (const char* name : {"f0", "f1", "f2", "f3", "f4"})
        Write(name, "");
    std::vector<std::string> names;
    EXPECT_TRUE(ListFolder(dir.string(), 5, names));
    EXPECT_EQ(names.size(), 5u);
    EXPECT_FALSE(ListFolder(dir.string(), 4, names));
    EXPECT_FALSE(ListFolder(Path("missing"), 10, names));
}

TEST(ProgramFolder, IsTheFolderOfThisExecutable) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::exists(folder + "platform_tests"));
}

} // namespace
