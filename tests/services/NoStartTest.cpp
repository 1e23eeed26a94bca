// A client library with isc_rollback_retaining but without isc_service_start.

#include "IBServices.h"

#include <gtest/gtest.h>

namespace {

std::string ConstructionError() {
    try {
        TIBBackupService backup("IBBackupService");
    } catch (const EOSError& error) {
        return error.Message;
    }
    return "";
}

} // namespace

TEST(LibraryWithoutServiceStart, IsRefusedWithTheSystemErrorEveryTime) {
    const std::string first = ConstructionError();
    EXPECT_EQ(first.rfind("System Error.  Code: ", 0), 0u) << first;
    EXPECT_NE(first.find(".\r\n"), std::string::npos) << first;
    EXPECT_NE(first.find("isc_service_start"), std::string::npos) << first;
    EXPECT_FALSE(ClientLibraryLoaded());
    EXPECT_EQ(ConstructionError(), first); // never a half-bound table
}
