#pragma once
// Components over the fake client library, with its records cleared for each test.

#include "FakeControl.h"
#include "IBServices.h"
#include "ServiceSteps.h"

#include <gtest/gtest.h>

class FakeServices : public testing::Test {
protected:
    void SetUp() override {
        FakeClient::Reset();
        LoadAsWindowDoes(backup);
        LoadAsWindowDoes(restore);
    }

    // The code of the EIBClientError the action raises, or -1.
    template <typename Action> static int ClientErrorOf(Action action) {
        try {
            action();
        } catch (const EIBClientError& error) {
            return error.SQLCode;
        }
        return -1;
    }

    TIBBackupService backup{"IBBackupService"};
    TIBRestoreService restore{"IBRestoreService"};
};
