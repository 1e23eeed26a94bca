#include "FileSystem.h"

#include "FifoWatchdog.h"
#include "HeldFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
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

TEST(ProgramFolder, IsTheFolderOfThisExecutable) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::exists(folder + "platform_tests"));
}

} // namespace
