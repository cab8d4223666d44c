#pragma once

#include "TestDesktop.h"

#include <gtest/gtest.h>

namespace tessel::test {

// A test against the shared test desktop; skips when its programs are not installed and
// closes the windows a test opened.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop = TestDesktop::shared();
        if (!desktop) {
            GTEST_SKIP() << "Xvfb, openbox, picom or dbus-daemon is not installed";
        }
    }

    void TearDown() override {
        if (desktop) {
            desktop->closeAllWindows();
            desktop->startCompositor();
        }
    }

    TestDesktop* desktop = nullptr;
};

} // namespace tessel::test
