// Attaching, detaching and the checks around them.

#include "FakeFixture.h"

namespace {

TEST_F(FakeServices, ParamsRefuseChangesWhileAttached) {
    PrepareStep(backup);
    backup.SetActive(true);
    EXPECT_EQ(ClientErrorOf([&] { backup.Params().Add("x=1"); }), 91);
    EXPECT_EQ(ClientErrorOf([&] { backup.Params().Delete(0); }), 91);
    EXPECT_EQ(ClientErrorOf([&] { backup.Params().Clear(); }), 91);
    EXPECT_EQ(ClientErrorOf([&] { backup.SetParams({}); }), 91);
    EXPECT_EQ(backup.Params().Lines(), (std::vector<std::string>{"user_name=SYSDBA", "password=plumbtide"}));
}

TEST_F(FakeServices, ClearingAnEmptyParamsWhileAttachedIsNoChange) {
    backup.SetActive(true);
    EXPECT_NO_THROW(backup.Params().Clear());
}

TEST_F(FakeServices, ServerNameAndProtocolAreGuardedAndLocalClearsTheName) {
    backup.SetActive(true);
    const std::string host = backup.ServerName();
    EXPECT_EQ(ClientErrorOf([&] { backup.SetServerName("other"); }), 91);
    EXPECT_EQ(ClientErrorOf([&] { backup.SetProtocol(TProtocol::TCP); }), 91);
    EXPECT_NO_THROW(backup.SetServerName(host)); // the same name is no change
    EXPECT_EQ(backup.ServerName(), host);
    backup.SetActive(false);
    backup.SetProtocol(TProtocol::TCP);
    EXPECT_EQ(backup.ServerName(), host);
    backup.SetProtocol(TProtocol::Local);
    EXPECT_EQ(backup.ServerName(), "");
}

TEST_F(FakeServices, ChecksBeforeAttachingRaiseWithoutCallingTheServer) {
    backup.SetProtocol(TProtocol::TCP);
    backup.SetServerName("");
    EXPECT_EQ(ClientErrorOf([&] { backup.SetActive(true); }), 92);
    backup.SetProtocol(TProtocol::Local);
    backup.LoginPrompt = true;
    EXPECT_EQ(ClientErrorOf([&] { backup.SetActive(true); }), 10);
    EXPECT_TRUE(FakeClient::Requests().empty());
    EXPECT_FALSE(backup.Active());
}

TEST_F(FakeServices, LoginHandlerFillsTheParameterBlock) {
    backup.LoginPrompt = true;
    backup.Params().Add("user_name=SYSDBA");
    backup.OnLogin = [](TIBCustomService&, TStringList& loginParams) {
        EXPECT_EQ(loginParams.Count(), 1u);
        loginParams.Add("password=plumbtide");
    };
    backup.SetActive(true);
    EXPECT_EQ(backup.Params().Count(), 2u);
    EXPECT_EQ(FakeClient::Requests("attach").at(0).Bytes.size(), 21u);
}

TEST_F(FakeServices, ActiveFalseOnADetachedComponentIsHarmless) {
    backup.SetActive(false);
    backup.SetActive(false);
    EXPECT_TRUE(FakeClient::Requests().empty());
    EXPECT_EQ(ClientErrorOf([&] { backup.RequireAttached(); }), 90);
}

TEST_F(FakeServices, OnAttachAndTraceLinesFollowTheFlags) {
    std::vector<std::string> trace;
    MonitorHook().SetWriter([&](const std::string& line) { trace.push_back(line); });
    int attached = 0;
    backup.OnAttach = [&](TIBCustomService& sender) {
        EXPECT_EQ(&sender, &backup);
        ++attached;
    };
    PrepareStep(backup);
    backup.DatabaseName = "d";
    backup.SetActive(true); // the window's settings: no tracing
    backup.SetActive(false);
    EXPECT_TRUE(trace.empty());

    backup.TraceFlags = {TTraceFlag::tfService};
    backup.SetActive(true);
    backup.ServiceStart();
    backup.SetActive(false);
    MonitorHook().SetEnabled(false);
    backup.SetActive(true);
    MonitorHook().SetEnabled(true);
    MonitorHook().SetWriter({});
    EXPECT_EQ(trace, (std::vector<std::string>{"IBBackupService: [Attach]", "IBBackupService: [Start]",
                                               "IBBackupService: [Detach]"}));
    EXPECT_EQ(attached, 3);
}

TEST_F(FakeServices, StoredActivationWaitsForTheEndOfLoading) {
    TIBBackupService loaded("IBBackupService2");
    loaded.BeginLoading();
    loaded.LoginPrompt = false;
    loaded.SetActive(true);
    EXPECT_FALSE(loaded.Active());
    EXPECT_TRUE(FakeClient::Requests().empty());
    loaded.Loaded();
    EXPECT_TRUE(loaded.Active());
    loaded.SetActive(false);
    // The stored activation is never cleared: the next check that needs an attachment attaches.
    loaded.DatabaseName = "d";
    loaded.ServiceStart();
    EXPECT_EQ(FakeClient::Requests("attach").size(), 2u);
}

TEST_F(FakeServices, FailedAttachAndDetachLeaveTheComponentDetached) {
    PrepareStep(backup);
    FakeClient::FailNext("isc_service_attach", 335544472, -902,
                         "Your user name and password are not defined.");
    EXPECT_THROW(backup.SetActive(true), EIBInterBaseError);
    EXPECT_FALSE(backup.Active());
    backup.SetActive(true);
    FakeClient::FailNext("isc_service_detach", 335544721, -902, "Unable to complete network request");
    EXPECT_THROW(backup.SetActive(false), EIBInterBaseError);
    EXPECT_FALSE(backup.Active());
}

TEST_F(FakeServices, DestructionDetachesAndSwallowsTheDetachError) {
    {
        TIBBackupService temporary("Temporary");
        temporary.LoginPrompt = false;
        temporary.SetActive(true);
        FakeClient::FailNext("isc_service_detach", 335544721, -902, "Unable to complete network request");
    }
    EXPECT_EQ(FakeClient::Requests("detach").size(), 1u);
}

TEST(ClientErrors, TableHoldsTheNineTextsAndNothingElse) {
    const std::pair<int, const char*> texts[] = {
        {1, "InterBase library gds32.dll not found in the path. Please install InterBase to use this "
            "functionality"},
        {3, "%s is an InterBase 6 function. Please upgrade to InterBase 6 to use this functonality"},
        {10, "Operation cancelled at user's request"},
        {88, "SPB Constant Not supported"},
        {89, "SPB Constant Unknown"},
        {90, "Cannot perform operation -- service is not attached"},
        {91, "Cannot perform operation -- service is attached"},
        {92, "Server Name Missing"},
        {94, "start Parameters missing or incorrect"},
    };
    int filled = 0;
    for (int code = -1; code <= CLIENT_ERROR_COUNT; ++code)
        filled += ClientErrorMessage(code).empty() ? 0 : 1;
    EXPECT_EQ(filled, 9);
    for (const auto& [code, text] : texts)
        EXPECT_EQ(ClientErrorMessage(code), text);
}

TEST(ClientErrors, RaiseFormatsTheTableTextAndIgnoresSurplusArguments) {
    try {
        RaiseClientError(3, {std::string("isc_service_attach"), std::int64_t{5}});
        FAIL();
    } catch (const EIBClientError& error) {
        EXPECT_EQ(error.Message,
                  "isc_service_attach is an InterBase 6 function. Please upgrade to InterBase 6 to "
                  "use this functonality");
        EXPECT_EQ(error.SQLCode, 3);
        EXPECT_EQ(error.IBErrorCode, 0);
    }
    try {
        RaiseClientError(90, {std::string("surplus")});
        FAIL();
    } catch (const EIBClientError& error) {
        EXPECT_EQ(error.Message, "Cannot perform operation -- service is not attached");
    }
}

} // namespace
