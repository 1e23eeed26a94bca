// The services against the Firebird server started on loopback by the firebird_server fixture.

#include "ServiceSteps.h"
#include "TempDir.h"
#include "TestDatabase.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class ServerJobs : public testing::Test {
protected:
    void SetUp() override {
        LoadAsWindowDoes(backup);
        backup.SetProtocol(TProtocol::TCP);
        backup.SetServerName("localhost");
        PrepareStep(backup);
    }

    TTempDir dir;
    TIBBackupService backup{"IBBackupService"};
};

TEST_F(ServerJobs, WrongPasswordFailsTheAttachWithTheServersMessage) {
    backup.Params().Put(1, "password=not-the-password");
    try {
        backup.SetActive(true);
        FAIL() << "the attach succeeded";
    } catch (const EIBInterBaseError& error) {
        EXPECT_EQ(error.SQLCode, -902);
        EXPECT_EQ(error.IBErrorCode, 335544472);
        EXPECT_EQ(error.Message.rfind("Your user name and password are not defined", 0), 0u) << error.Message;
        EXPECT_NE(error.Message.back(), '.');
    }
    EXPECT_FALSE(backup.Active());
    EXPECT_EQ(backup.ServiceName(), "localhost:service_mgr");
}

TEST_F(ServerJobs, BackupAndRestoreOverTcpEndWhenTheWaitReturns) {
    const std::string database = dir.File("A.FDB");
    const std::string backupFile = dir.File("A.BAK");
    CreateTestDatabase({.Path = database, .Rows = 20000, .DeleteHalf = true, .Connection = "localhost:"});
    const std::int64_t sizeBefore = FileSizeOf(database);

    backup.DatabaseName = database;
    backup.BackupFile.Add(backupFile);
    RunJob(backup);
    const std::int64_t backupSize = FileSizeOf(backupFile);
    ASSERT_GT(backupSize, 0);
    ASSERT_TRUE(std::filesystem::remove(database));

    TIBRestoreService restore{"IBRestoreService"};
    LoadAsWindowDoes(restore);
    restore.SetProtocol(TProtocol::TCP);
    restore.SetServerName("localhost");
    PrepareStep(restore);
    restore.BackupFile.Add(backupFile);
    restore.DatabaseName.Add(database);
    RunJob(restore);

    EXPECT_EQ(FileSizeOf(backupFile), backupSize);
    EXPECT_EQ(CountRows("localhost:" + database), 10000);
    EXPECT_LT(FileSizeOf(database), sizeBefore);
}

} // namespace
