// A file system that fills up during the backup or the restore: the step fails, and the
// database is left as it was.
#include "RunJournal.h"
#include "WorkflowFixture.h"

#include <filesystem>
#include <fstream>
#include <sys/mount.h>

namespace fs = std::filesystem;

namespace {

class DiskFullTest : public WorkflowFixture {
protected:
    void Mount(std::int64_t bytes) {
        mounted = dir.File("small");
        fs::create_directory(mounted);
        const std::string options = "size=" + std::to_string(bytes);
        ASSERT_EQ(::mount("tmpfs", mounted.c_str(), "tmpfs", 0, options.c_str()), 0);
    }
    void TearDown() override {
        WorkflowFixture::TearDown();
        form.sButton5Click();
        if (!mounted.empty())
            ::umount2(mounted.c_str(), MNT_DETACH);
    }
    std::string mounted;
};

TEST_F(DiskFullTest, RestoreRunsOutOfSpace) {
    const std::string made = MakeDatabase(dir.File("made.fdb"), 20000);
    const std::int64_t size = FileSizeOf(made);
    Mount(size + 1536 * 1024);
    const std::string db = mounted + "/full.fdb";
    fs::copy_file(made, db);
    Pick(db);
    form.sButton2Click();
    ASSERT_TRUE(form.sButton3->isEnabled()) << form.RichEdit3->Text().toStdString();
    const std::string bytes = ReadFileBytes(db); // as the backup left it
    form.sButton3Click();
    if (form.sButton4->isEnabled()) {
        EXPECT_EQ(CountRows(db), 10000);
    } else {
        EXPECT_TRUE(ReadFileBytes(db) == bytes) << "the original is not back as it was";
        EXPECT_TRUE(form.RichEdit4->Text().contains(QString::fromUtf8("기존파일 복원.")));
        EXPECT_EQ(CountRows(db), 10000);
    }
}

TEST_F(DiskFullTest, BackupRunsOutOfSpace) {
    const std::string made = MakeDatabase(dir.File("made.fdb"), 20000);
    Mount(FileSizeOf(made) + 64 * 1024);
    const std::string db = mounted + "/full.fdb";
    fs::copy_file(made, db);
    Pick(db);
    form.sButton2Click();
    EXPECT_FALSE(form.sButton3->isEnabled());
    EXPECT_FALSE(fs::exists(mounted + "/full.BAK"));
    EXPECT_EQ(CountRows(db), 10000);
}

// The record cannot be written on a full disk: the previous record stays whole and the half-written
// new copy does not stay behind as a hidden file.
TEST_F(DiskFullTest, ARecordThatCannotBeWrittenLeavesNoCopyBehind) {
    Mount(64 * 1024);
    TRunRecord record;
    record.RunId = "1";
    record.Database = mounted + "/full.fdb";
    record.Backup = mounted + "/full.BAK";
    ASSERT_TRUE(WriteRunRecord(record));
    {
        std::ofstream filler(mounted + "/filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size()))
            ;
    }
    record.State = TRunState::BackedUp;
    record.RunId.assign(8192, '2'); // more than the disk has left
    EXPECT_FALSE(WriteRunRecord(record));
    EXPECT_FALSE(fs::exists(RunRecordPathFor(record.Database) + ".new"));
    TRunRecord kept;
    ASSERT_EQ(ReadRunRecord(record.Database, kept), TRunRecordRead::Read);
    EXPECT_EQ(kept.RunId, "1");
}

} // namespace
