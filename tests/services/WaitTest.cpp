// Waiting for a started job's end through the service output query.

#include "FakeFixture.h"
#include "ServiceLineReply.h"

#include <chrono>
#include <thread>

namespace {

std::string Line(const std::string& text) {
    return Bytes({isc_info_svc_line, static_cast<int>(text.size() & 0xFF),
                  static_cast<int>(text.size() >> 8)}) +
           text;
}
const std::string End = Bytes({isc_info_end});
const std::string EmptyLine = Line("");

class Wait : public FakeServices {
protected:
    void SetUp() override {
        FakeServices::SetUp();
        PrepareStep(backup);
        backup.DatabaseName = "d";
        backup.BackupFile.Add("b");
        backup.SetActive(true);
        backup.ServiceStart();
    }

    std::vector<std::string> WaitForLines() {
        std::vector<std::string> lines;
        backup.WaitForServiceEnd([&](const std::string& line) { lines.push_back(line); });
        return lines;
    }
};

TEST_F(Wait, ReadsLinesUntilAnEmptyLineWithoutFlags) {
    FakeClient::PushQueryReply(Line("gbak: readied database d for backup") + End);
    FakeClient::PushQueryReply(EmptyLine + Bytes({isc_info_svc_timeout}) + End);
    FakeClient::PushQueryReply(EmptyLine + Bytes({isc_info_data_not_ready}) + End);
    FakeClient::PushQueryReply(Line("gbak: writing tables") + End);
    FakeClient::PushQueryReply(EmptyLine + End);
    FakeClient::PushQueryReply(Line("never read") + End);
    EXPECT_EQ(WaitForLines(),
              (std::vector<std::string>{"gbak: readied database d for backup", "gbak: writing tables"}));
    const auto queries = FakeClient::Requests("query");
    ASSERT_EQ(queries.size(), 5u);
    // One-second waits, so a caller can be told of every line soon after it is written.
    EXPECT_EQ(queries[0].Bytes.substr(0, 7), Bytes({isc_info_svc_timeout, 4, 0, 1, 0, 0, 0}));
    EXPECT_TRUE(backup.Active());
}

TEST_F(Wait, AFailedQueryRaisesTheJobsErrorAndKeepsTheAttachment) {
    FakeClient::PushQueryReply(Line("gbak: starting") + End);
    FakeClient::PushQueryFailure(335544344, -901, "cannot open backup file b",
                                 "Exiting before completion due to errors.");
    std::vector<std::string> lines;
    try {
        backup.WaitForServiceEnd([&](const std::string& line) { lines.push_back(line); });
        FAIL() << "the failure was not reported";
    } catch (const EIBInterBaseError& error) {
        EXPECT_EQ(error.Message, "cannot open backup file b\r\nExiting before completion due to errors");
        EXPECT_EQ(error.SQLCode, -901);
    }
    EXPECT_EQ(lines, std::vector<std::string>{"gbak: starting"});
    EXPECT_TRUE(backup.Active());
    EXPECT_EQ(FakeClient::Requests("query").size(), 2u);
}

TEST_F(Wait, NeedsAnAttachment) {
    backup.SetActive(false);
    EXPECT_EQ(ClientErrorOf([&] { WaitForLines(); }), 90);
}

TEST_F(Wait, WatcherHandsLinesAndTheErrorToThePollingThread) {
    FakeClient::PushQueryReply(Line("one") + End);
    FakeClient::PushQueryReply(Line("two") + End);
    FakeClient::PushQueryFailure(335544344, -901, "cannot open backup file b");
    FakeClient::PushQueryReply(Line("three") + End);
    TServiceJobWatcher watcher;
    watcher.Start(backup);
    while (!watcher.Finished())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(watcher.TakeLines(), (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(watcher.TakeLines().empty());
    try {
        watcher.RethrowIfFailed();
        FAIL() << "no error";
    } catch (const EIBInterBaseError& error) {
        EXPECT_EQ(error.Message, "cannot open backup file b");
    }
}

struct TReplyCase {
    const char* Name;
    std::string Reply;
    bool Readable;
    bool Ended;
    const char* Line;
};

const TReplyCase ReplyCases[] = {
    {"Line", Line("abc") + End, true, false, "abc"},
    {"EndOfOutput", EmptyLine + End, true, true, ""},
    {"Timeout", EmptyLine + Bytes({isc_info_svc_timeout, isc_info_end}), true, false, ""},
    {"NotReady", Bytes({isc_info_data_not_ready, isc_info_end}), true, false, ""},
    {"TruncatedLine", Line("ab") + Bytes({isc_info_truncated, isc_info_end}), true, false, "ab"},
    {"NothingAboutOutput", End, false, false, ""},
    {"UnknownItem", Bytes({99}) + End, false, false, ""},
    {"LineLongerThanReply", Bytes({isc_info_svc_line, 10, 0, 'a'}), false, false, ""},
};

class LineReplies : public testing::TestWithParam<TReplyCase> {};

TEST_P(LineReplies, AreReadOrRefused) {
    const TReplyCase& c = GetParam();
    if (!c.Readable) {
        EXPECT_THROW(ParseServiceLineReply(c.Reply.data(), c.Reply.size()), EIBClientError);
        return;
    }
    const TServiceLineReply reply = ParseServiceLineReply(c.Reply.data(), c.Reply.size());
    EXPECT_EQ(reply.OutputEnded(), c.Ended);
    EXPECT_EQ(reply.Line, c.Line);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineReplies, testing::ValuesIn(ReplyCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
