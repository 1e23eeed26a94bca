// A client library without isc_rollback_retaining: older than the services API.

#include "FakeControl.h"
#include "IBServices.h"

#include <gtest/gtest.h>

TEST(LibraryWithoutRollbackRetaining, LoadsButTheFirstAttachRaisesCode3) {
    TIBBackupService backup("IBBackupService");
    backup.LoginPrompt = false;
    try {
        backup.SetActive(true);
        FAIL() << "the attach went through";
    } catch (const EIBClientError& error) {
        EXPECT_EQ(error.SQLCode, 3);
        EXPECT_EQ(error.Message,
                  "isc_service_attach is an InterBase 6 function. Please upgrade to InterBase 6 "
                  "to use this functonality");
    }
    EXPECT_FALSE(backup.Active());
    EXPECT_TRUE(FakeClient::Requests().empty());
}
