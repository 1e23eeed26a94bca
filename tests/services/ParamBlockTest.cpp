// The service parameter block as the server receives it with the attach request.

#include "FakeFixture.h"

#include <ibase.h>

namespace {

const std::string Block21 = Bytes({2, 2, 0x1C, 6}) + "SYSDBA" + Bytes({0x1D, 9}) + "plumbtide";

struct TBlockCase {
    const char* Name;
    std::vector<std::string> Params;
    std::string Expected; // the block, when the attach is sent
    int ClientError;      // else the client error raised before anything is sent
};

const TBlockCase BlockCases[] = {
    {"CompactionSteps", {"user_name=SYSDBA", "password=plumbtide"}, Block21, -1},
    {"Empty", {}, Bytes({2, 2}), -1},
    {"PrefixAndCaseFolded", {"ISC_SPB_USER_NAME=SYSDBA", "Password=plumbtide"}, Block21, -1},
    {"LinesWithoutNameSkipped",
     {"no equals sign", "=value", "  =x", "user_name=SYSDBA", "password=plumbtide"},
     Block21,
     -1},
    {"ValueKeepsLaterEquals", {"password=a=b"}, Bytes({2, 2, 0x1D, 3}) + "a=b", -1},
    {"EmptyValue", {"password="}, Bytes({2, 2, 0x1D, 0}), -1},
    {"ValueUntrimmed", {"user_name= S "}, Bytes({2, 2, 0x1C, 3}) + " S ", -1},
    {"BlankBeforeEqualsIsUnknown", {"user_name =SYSDBA"}, "", 89},
    {"UnknownName", {"colour=blue"}, "", 89},
    {"RoleRefused", {"sql_role_name=R"}, "", 88},
    {"RefusedWithPrefix", {"isc_spb_verbose=1"}, "", 88},
    {"ValueOver255Bytes", {"password=" + std::string(256, 'p')}, "", CLIENT_ERROR_VALUE_TOO_LONG},
    {"BlockOver32767Bytes", std::vector<std::string>(130, "password=" + std::string(255, 'p')), "",
     CLIENT_ERROR_VALUE_TOO_LONG},
};

class ParamBlock : public FakeServices, public testing::WithParamInterface<TBlockCase> {};

TEST_P(ParamBlock, IsSentAsBuiltOrRefusedBeforeSending) {
    const TBlockCase& c = GetParam();
    backup.SetParams(c.Params);
    if (c.ClientError >= 0) {
        EXPECT_EQ(ClientErrorOf([&] { backup.SetActive(true); }), c.ClientError);
        EXPECT_TRUE(FakeClient::Requests().empty());
        EXPECT_FALSE(backup.Active());
        return;
    }
    backup.SetActive(true);
    const auto attaches = FakeClient::Requests("attach");
    ASSERT_EQ(attaches.size(), 1u);
    EXPECT_EQ(attaches[0].Bytes, c.Expected);
    EXPECT_EQ(attaches[0].Name, "service_mgr");
}

INSTANTIATE_TEST_SUITE_P(Cases, ParamBlock, testing::ValuesIn(BlockCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(FakeServices, TheCompactionBlockIs21Bytes) {
    EXPECT_EQ(Block21.size(), 21u);
    EXPECT_EQ(Block21[2], isc_spb_user_name);
    EXPECT_EQ(Block21[10], isc_spb_password);
}

TEST_F(FakeServices, BlockIsBuiltOnceAndRebuiltAfterAChangeOrAFailedBuild) {
    PrepareStep(backup);
    backup.SetActive(true);
    const std::string first = backup.ParamBlock();
    backup.SetActive(false);
    backup.SetActive(true);
    backup.SetActive(false);
    const auto attaches = FakeClient::Requests("attach");
    ASSERT_EQ(attaches.size(), 2u);
    EXPECT_EQ(attaches[1].Bytes, first);

    backup.Params().Add("bogus=1");
    EXPECT_EQ(ClientErrorOf([&] { backup.SetActive(true); }), 89);
    EXPECT_EQ(backup.ParamBlock(), first); // a failed build keeps the last good block...
    backup.Params().Delete(2);
    backup.Params().Put(1, "password=other");
    backup.SetActive(true); // ...and the next attach builds again
    EXPECT_EQ(FakeClient::Requests("attach").back().Bytes,
              Bytes({2, 2, 0x1C, 6}) + "SYSDBA" + Bytes({0x1D, 5}) + "other");
}

struct TNameCase {
    TProtocol Protocol;
    const char* ServerName;
    const char* ServiceName;
};

class ServiceNames : public FakeServices, public testing::WithParamInterface<TNameCase> {};

TEST_P(ServiceNames, FollowProtocolAndServerName) {
    backup.SetProtocol(GetParam().Protocol);
    backup.SetServerName(GetParam().ServerName);
    backup.SetActive(true);
    EXPECT_EQ(FakeClient::Requests("attach").at(0).Name, GetParam().ServiceName);
}

INSTANTIATE_TEST_SUITE_P(Protocols, ServiceNames,
                         testing::Values(TNameCase{TProtocol::TCP, "db1", "db1:service_mgr"},
                                         TNameCase{TProtocol::SPX, "db1", "db1@service_mgr"},
                                         TNameCase{TProtocol::NamedPipe, "db1", "\\\\db1\\service_mgr"},
                                         TNameCase{TProtocol::Local, "ignored", "service_mgr"}));

} // namespace
