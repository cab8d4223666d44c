#pragma once

#include "SolidWindow.h"
#include "TestSway.h"
#include "WaitFor.h"

#include <gtest/gtest.h>

namespace tessel::test {

// Tests on one headless sway shared by the suite, which this process's environment points at.
class SwayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (TestSway::available()) {
            sway = std::make_unique<TestSway>();
            sway->exportEnvironment();
        }
    }
    static void TearDownTestSuite() { sway.reset(); }

    void SetUp() override {
        ASSERT_TRUE(sway) << "the Wayland tests need sway, swaymsg, grim, wtype and dbus-daemon";
    }

    std::unique_ptr<SolidWindow> openWindow(const char* appId, const char* colour = "ffffff") {
        auto window = std::make_unique<SolidWindow>(
            sway->clientEnvironment(), appId, sway->logPath(appId) + QString::number(++m_windows),
            colour);
        EXPECT_TRUE(waitFor([&] { return window->isShown(); })) << appId << " did not show";
        return window;
    }

    static inline std::unique_ptr<TestSway> sway;

private:
    int m_windows = 0;
};

} // namespace tessel::test
