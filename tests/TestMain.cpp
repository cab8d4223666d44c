#include <QGuiApplication>

#include <gtest/gtest.h>

// Every suite runs inside an application so queued results from worker threads can arrive.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
