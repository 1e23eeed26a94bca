// The backup and restore start requests as the server receives them.

#include "FakeFixture.h"

#include <functional>

namespace {

const std::string D = "C:\\DB\\A.FDB";
const std::string B = "C:\\DB\\A.BAK";
const std::string Len11 = Bytes({11, 0});

struct TStartCase {
    const char* Name;
    std::function<void(TIBBackupService&, TIBRestoreService&)> Setup;
    bool Restore;
    std::string Expected;
};

void Compaction(TIBBackupService& backup, TIBRestoreService& restore) {
    backup.DatabaseName = D;
    backup.BackupFile.Add(B);
    restore.BackupFile.Add(B);
    restore.DatabaseName.Add(D);
}

const std::string BackupRequest = Bytes({1, 0x6A}) + Len11 + D + Bytes({0x6C, 0, 0, 0, 0, 5}) + Len11 + B;
const std::string RestoreHead = Bytes({2, 0x6C, 0, 0x20, 0, 0});
const std::string PageSize4096 = Bytes({0x0A, 0, 0x10, 0, 0});
const std::string RestoreFiles = Bytes({5}) + Len11 + B + Bytes({0x6A}) + Len11 + D;

const TStartCase StartCases[] = {
    {"Backup", Compaction, false, BackupRequest},
    {"Restore", Compaction, true, RestoreHead + PageSize4096 + RestoreFiles},
    {"BackupVerbose",
     [](auto& b, auto& r) {
         Compaction(b, r);
         b.Verbose = true;
     },
     false, Bytes({1, 0x6A}) + Len11 + D + Bytes({0x6C, 0, 0, 0, 0, 0x6B, 5}) + Len11 + B},
    {"RestoreVerbose",
     [](auto& b, auto& r) {
         Compaction(b, r);
         r.Verbose = true;
     },
     true, RestoreHead + Bytes({0x6B}) + PageSize4096 + RestoreFiles},
    {"PageBuffers75",
     [](auto& b, auto& r) {
         Compaction(b, r);
         r.PageBuffers = 75;
     },
     true, RestoreHead + PageSize4096 + Bytes({9, 0x4B, 0, 0, 0}) + RestoreFiles},
    {"PageSize0LeftOut",
     [](auto& b, auto& r) {
         Compaction(b, r);
         r.PageSize = 0;
     },
     true, RestoreHead + RestoreFiles},
    {"RestoreEmptyOptionsStillSent",
     [](auto& b, auto& r) {
         Compaction(b, r);
         r.Options = {};
     },
     true, Bytes({2, 0x6C, 0, 0, 0, 0}) + PageSize4096 + RestoreFiles},
    {"RestoreWithEmptyListsStillSent", [](auto&, auto&) {}, true, RestoreHead + PageSize4096},
    {"BackupOptionsAndFactor",
     [](auto& b, auto& r) {
         Compaction(b, r);
         b.Options = {TBackupOption::IgnoreLimbo, TBackupOption::ConvertExtTables};
         b.BlockingFactor = 3;
     },
     false, Bytes({1, 0x6A}) + Len11 + D + Bytes({0x6C, 0x42, 0, 0, 0, 6, 3, 0, 0, 0, 5}) + Len11 + B},
    {"LengthLine",
     [](auto& b, auto&) {
         b.DatabaseName = D;
         b.BackupFile.Add("C:\\B\\X.GBK=2048");
     },
     false,
     Bytes({1, 0x6A}) + Len11 + D + Bytes({0x6C, 0, 0, 0, 0, 5, 10, 0}) + "C:\\B\\X.GBK" +
         Bytes({7, 0, 8, 0, 0})},
    {"BlankLinesSkipped",
     [](auto& b, auto&) {
         b.DatabaseName = D;
         b.BackupFile.Assign({"C:\\1", "   ", "", "C:\\2"});
     },
     false,
     Bytes({1, 0x6A}) + Len11 + D + Bytes({0x6C, 0, 0, 0, 0, 5, 4, 0}) + "C:\\1" + Bytes({5, 4, 0}) +
         "C:\\2"},
    // The window asks for the page size the database already has.
    {"PageSize1024",
     [](auto& b, auto& r) {
         Compaction(b, r);
         r.PageSize = 1024;
     },
     true, RestoreHead + Bytes({0x0A, 0, 0x04, 0, 0}) + RestoreFiles},
    {"PageSize8192",
     [](auto& b, auto& r) {
         Compaction(b, r);
         r.PageSize = 8192;
     },
     true, RestoreHead + Bytes({0x0A, 0, 0x20, 0, 0}) + RestoreFiles},
    {"PageSize16384",
     [](auto& b, auto& r) {
         Compaction(b, r);
         r.PageSize = 16384;
     },
     true, RestoreHead + Bytes({0x0A, 0, 0x40, 0, 0}) + RestoreFiles},
    {"PageSize32768",
     [](auto& b, auto& r) {
         Compaction(b, r);
         r.PageSize = 32768;
     },
     true, RestoreHead + Bytes({0x0A, 0, 0x80, 0, 0}) + RestoreFiles},
    // Literal file names: a path holding "=" goes whole, with no length item.
    {"BackupLiteralFileName",
     [](auto& b, auto&) {
         b.DatabaseName = D;
         b.LiteralFileNames = true;
         b.BackupFile.Add("C:\\B\\X=2.BAK");
     },
     false, Bytes({1, 0x6A}) + Len11 + D + Bytes({0x6C, 0, 0, 0, 0, 5, 12, 0}) + "C:\\B\\X=2.BAK"},
    {"RestoreLiteralFileNames",
     [](auto&, auto& r) {
         r.LiteralFileNames = true;
         r.BackupFile.Add("b=$10");
         r.DatabaseName.Add(" d =-1");
     },
     true, RestoreHead + PageSize4096 + Bytes({5, 5, 0}) + "b=$10" + Bytes({0x6A, 6, 0}) + " d =-1"},
    {"RestoreLengthsOnBothLists",
     [](auto&, auto& r) {
         r.PageSize = 0;
         r.BackupFile.Add("b=$10");
         r.DatabaseName.Add(" d =-1");
     },
     true, RestoreHead + Bytes({5, 1, 0,   'b', 7,   0x10, 0,    0,    0,    0x6A,
                                3, 0, ' ', 'd', ' ', 11,   0xFF, 0xFF, 0xFF, 0xFF})},
};

class StartRequest : public FakeServices, public testing::WithParamInterface<TStartCase> {};

TEST_P(StartRequest, IsSentByteForByte) {
    const TStartCase& c = GetParam();
    c.Setup(backup, restore);
    TIBControlService& service = c.Restore ? static_cast<TIBControlService&>(restore) : backup;
    PrepareStep(service);
    service.SetActive(true);
    service.ServiceStart();
    const auto starts = FakeClient::Requests("start");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Bytes, c.Expected);
    EXPECT_EQ(starts[0].Name, "handle");
    EXPECT_TRUE(service.StartParams().empty());
    EXPECT_TRUE(service.Active());
}

INSTANTIATE_TEST_SUITE_P(Cases, StartRequest, testing::ValuesIn(StartCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(FakeServices, CompactionRequestsHaveTheDocumentedLengths) {
    EXPECT_EQ(BackupRequest.size(), 34u);
    EXPECT_EQ((RestoreHead + PageSize4096 + RestoreFiles).size(), 39u);
}

TEST_F(FakeServices, StartOnADetachedComponentRaises90AndSendsNothing) {
    Compaction(backup, restore);
    EXPECT_EQ(ClientErrorOf([&] { backup.ServiceStart(); }), 90);
    EXPECT_TRUE(FakeClient::Requests().empty());
}

TEST_F(FakeServices, RefusedRequestsSendNothingAndStayAttached) {
    PrepareStep(backup);
    backup.SetActive(true);
    EXPECT_EQ(ClientErrorOf([&] { backup.ServiceStart(); }), 94); // no DatabaseName

    backup.DatabaseName = D;
    backup.BackupFile.Add("C:\\X=12k");
    try {
        backup.ServiceStart();
        FAIL() << "a length that is not a number was accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message, "'12k' is not a valid integer value");
    }

    backup.BackupFile.Assign({std::string(65536, 'x')}); // a text whose length needs 17 bits
    EXPECT_EQ(ClientErrorOf([&] { backup.ServiceStart(); }), CLIENT_ERROR_VALUE_TOO_LONG);
    backup.BackupFile.Assign({std::string(65535, 'x')}); // fits as a text, not in a 16-bit block
    EXPECT_EQ(ClientErrorOf([&] { backup.ServiceStart(); }), CLIENT_ERROR_VALUE_TOO_LONG);

    EXPECT_TRUE(FakeClient::Requests("start").empty());
    EXPECT_TRUE(backup.Active());
    EXPECT_TRUE(backup.StartParams().empty());

    const std::size_t rest = 1 + 3 + 11 + 5 + 3;                // everything but the backup path's bytes
    backup.BackupFile.Assign({std::string(65535 - rest, 'x')}); // the longest that fits
    backup.ServiceStart();
    EXPECT_EQ(FakeClient::Requests("start").at(0).Bytes.size(), 65535u);
}

TEST_F(FakeServices, ControlServiceWithoutAJobRaises94) {
    TIBControlService control("IBControlService");
    control.LoginPrompt = false;
    control.SetActive(true);
    EXPECT_EQ(ClientErrorOf([&] { control.ServiceStart(); }), 94);
    EXPECT_TRUE(FakeClient::Requests("start").empty());
}

TEST_F(FakeServices, RefusedStartLeavesTheComponentDetachedWithoutADetachRequest) {
    Compaction(backup, restore);
    PrepareStep(backup);
    backup.SetActive(true);
    FakeClient::FailNext("isc_service_start", 335544344, -902, "I/O error during \"open\" operation");
    EXPECT_THROW(backup.ServiceStart(), EIBInterBaseError);
    EXPECT_FALSE(backup.Active());
    backup.SetActive(false);
    EXPECT_TRUE(FakeClient::Requests("detach").empty());
    backup.SetActive(true);
    EXPECT_EQ(FakeClient::Requests("attach").size(), 2u);
}

} // namespace
