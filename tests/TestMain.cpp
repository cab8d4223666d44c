#include <QApplication>

#include <gtest/gtest.h>

#if defined(TESSEL_TEST_DESKTOP) || defined(TESSEL_TEST_BUS)
#include "support/TestDesktop.h"

#include <iostream>

namespace {

// A private X desktop, or only a private session bus, for the whole test program.
struct Session {
    Session() {
#ifdef TESSEL_TEST_DESKTOP
        desktop = std::make_unique<tessel::test::TestDesktop>();
        qputenv("QT_QPA_PLATFORM", "xcb");
#else
        for (const char* program : {"dbus-daemon", "gdbus", "gapplication"}) {
            if (!tessel::test::hasProgram(program)) {
                throw std::runtime_error(std::string("the bus tests need ") + program);
            }
        }
        bus = std::make_unique<tessel::test::PrivateBus>(logs.path());
#endif
    }

    QTemporaryDir logs;
    std::unique_ptr<tessel::test::TestDesktop> desktop;
    std::unique_ptr<tessel::test::PrivateBus> bus;
};

} // namespace
#endif

// Every test program runs inside an application, so that widgets can be made and results
// queued by worker threads arrive. Desktop tests share one private X desktop and bus tests
// one private session bus, so nothing reaches the desktop or bus of whoever runs them; when a
// part of either is missing, every test fails.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
#if defined(TESSEL_TEST_DESKTOP) || defined(TESSEL_TEST_BUS)
    std::unique_ptr<Session> session;
    try {
        if (!::testing::GTEST_FLAG(list_tests)) {
            session = std::make_unique<Session>();
        }
    } catch (const std::exception& error) {
        std::cerr << "Cannot run the tests: " << error.what() << '\n';
        return 1;
    }
#endif
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
