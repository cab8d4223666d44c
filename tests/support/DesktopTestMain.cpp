#include "TestDesktop.h"

#include <QGuiApplication>

#include <gtest/gtest.h>
#include <iostream>

// Tests of X11 behaviour share one private desktop per test program; Qt connects to it
// through the xcb platform. Without the desktop's programs the tests run offscreen and skip.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<tessel::test::TestDesktop> desktop;
    if (!::testing::GTEST_FLAG(list_tests) && tessel::test::TestDesktop::available()) {
        try {
            desktop = std::make_unique<tessel::test::TestDesktop>();
        } catch (const std::exception& error) {
            std::cerr << "The test desktop did not start: " << error.what() << '\n';
            return 1;
        }
        desktop->exportEnvironment();
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    tessel::test::TestDesktop::setShared(desktop.get());
    int result = 0;
    {
        QGuiApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    tessel::test::TestDesktop::setShared(nullptr);
    return result;
}
