#include "Format.h"

#include "Exceptions.h"

#include <gtest/gtest.h>

TEST(FormatMessage, FillsPlaceholdersInOrderAndIgnoresSurplus) {
    EXPECT_EQ(FormatMessage("%s is an InterBase 6 function", {std::string("isc_service_attach")}),
              "isc_service_attach is an InterBase 6 function");
    EXPECT_EQ(FormatMessage("SPB Constant Unknown", {std::string("x"), std::int64_t{3}}),
              "SPB Constant Unknown");
    EXPECT_EQ(FormatMessage("a %d b %s c", {std::int64_t{-7}, std::string("z")}), "a -7 b z c");
    EXPECT_EQ(FormatMessage("100%% of %s and %s", {std::string("one")}), "100% of one and %s");
}

TEST(FormatMessage, OperatingSystemErrorText) {
    EOSError e(127, "undefined symbol: isc_service_start");
    EXPECT_EQ(e.Message, "System Error.  Code: 127.\r\nundefined symbol: isc_service_start");
    EXPECT_EQ(e.ErrorCode, 127);
}
