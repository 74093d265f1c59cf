#pragma once
#include <gtest/gtest.h>

#include "probe/host_callback.h"

// The callback's process-wide state starts and ends each test cleared, so no
// test sees what an earlier plug-in asked for.
class CCallbackStateTest : public testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }

private:
    static void Clear() {
        g_currentShellId = 0;
        g_wantsMidiRequested = false;
    }
};
