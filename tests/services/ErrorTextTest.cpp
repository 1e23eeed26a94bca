// Server errors as the components raise them, from the status vector the library filled.
// Built twice: against a library with fb_interpret and against one with only isc_interprete.

#include "FakeFixture.h"

#include <thread>

namespace {

struct TErrorCase {
    const char* Name;
    const char* Message1;
    const char* Message2;
    int SqlCode;
    bool IncludeSqlCode;
    std::string ExpectedText;
    bool RoleError;
};

const TErrorCase ErrorCases[] = {
    {"OneMessageLosesItsFinalFullStop", "Your user name and password are not defined.", nullptr, -902, false,
     "Your user name and password are not defined", false},
    {"TwoMessagesJoinedByCrLf", "I/O error during \"open\" operation for file \"a.b\".",
     "Error while trying.", -902, false,
     "I/O error during \"open\" operation for file \"a.b\".\r\nError while trying", false},
    {"OnlyOneFullStopRemoved", "Stop..", nullptr, -901, false, "Stop.", false},
    {"NoFullStopNothingRemoved", "cannot open backup file", nullptr, -901, false, "cannot open backup file",
     false},
    {"SqlCode551IsARoleError", "no permission for read/select access.", nullptr, -551, false,
     "no permission for read/select access", true},
    {"SqlCodeFlagPutsTheCodeFirst", "first", "second.", -902, true, "SQLCODE: -902\r\nfirst\r\nsecond",
     false},
};

class ServerErrors : public FakeServices, public testing::WithParamInterface<TErrorCase> {
protected:
    void TearDown() override { SetIBErrorTextOptions({}); }
};

TEST_P(ServerErrors, CarryTheInterpretedTextAndCodes) {
    const TErrorCase& c = GetParam();
    SetIBErrorTextOptions({.IncludeSQLCode = c.IncludeSqlCode, .IncludeServerMessages = true});
    FakeClient::FailNext("isc_service_attach", 335544472, c.SqlCode, c.Message1, c.Message2);
    try {
        backup.SetActive(true);
        FAIL() << "no error";
    } catch (const EIBInterBaseRoleError& error) {
        EXPECT_TRUE(c.RoleError);
        EXPECT_EQ(error.Message, c.ExpectedText);
        EXPECT_EQ(error.SQLCode, -551);
    } catch (const EIBInterBaseError& error) {
        EXPECT_FALSE(c.RoleError);
        EXPECT_EQ(error.Message, c.ExpectedText);
        EXPECT_EQ(error.SQLCode, c.SqlCode);
        EXPECT_EQ(error.IBErrorCode, 335544472);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ServerErrors, testing::ValuesIn(ErrorCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(FakeServices, ServerMessagesFlagOffLeavesAnEmptyText) {
    SetIBErrorTextOptions({.IncludeSQLCode = false, .IncludeServerMessages = false});
    FakeClient::FailNext("isc_service_attach", 335544472, -902, "text.");
    try {
        backup.SetActive(true);
        FAIL() << "no error";
    } catch (const EIBInterBaseError& error) {
        EXPECT_EQ(error.Message, "");
    }
    SetIBErrorTextOptions({});
}

TEST_F(FakeServices, ALongServerMessageIsCutToTheBufferNotOverflowingIt) {
    const std::string longText(30000, 'm');
    FakeClient::FailNext("isc_service_attach", 335544472, -902, longText.c_str());
    try {
        backup.SetActive(true);
        FAIL() << "no error";
    } catch (const EIBInterBaseError& error) {
        EXPECT_LE(error.Message.size(), 20479u);
        EXPECT_EQ(error.Message.find_first_not_of('m'), std::string::npos);
    }
}

TEST(StatusVectors, EachThreadHasItsOwn) {
    ISC_STATUS* mine = StatusVector();
    mine[1] = 42;
    ISC_STATUS* theirs = nullptr;
    ISC_STATUS theirValue = -1;
    std::thread([&] {
        theirs = StatusVector();
        theirValue = theirs[1];
    }).join();
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(theirValue, 0);
    EXPECT_EQ(mine[1], 42);
    mine[1] = 0;
}

} // namespace
