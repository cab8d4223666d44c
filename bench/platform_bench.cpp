#include "CaptureNow.h"
#include "TestDesktop.h"
#include "platform/x11/X11Platform.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

tessel::X11Platform* platform = nullptr;

// One Day/Night sample of a 1920×1080 screen under picom, with a desktop's worth of windows
// and a translucent full-screen window of ours on top.
void captureOneScreen(benchmark::State& state) {
    const QString screen = platform->screens().front().id;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tessel::captureNow(*platform, screen, QSize(32, 20)));
    }
}
BENCHMARK(captureOneScreen)->Unit(benchmark::kMillisecond);

void openDesktopWindows(tessel::test::TestDesktop& desktop) {
    tessel::test::WindowSpec window;
    for (int i = 0; i < 6; ++i) {
        window.geometry = QRect(80 * i, 60 * i, 1000, 700);
        window.colour = QColor::fromHsv(60 * i, 80, 220);
        desktop.openWindow(window);
    }
    tessel::test::WindowSpec paper;
    paper.geometry = QRect(0, 0, 1920, 1080);
    paper.colour = QColor(240, 230, 200, 40);
    paper.overrideRedirect = true;
    paper.argb = true;
    paper.pid = static_cast<uint32_t>(getpid());
    desktop.openWindow(paper);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    tessel::test::TestDesktop desktop;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QTemporaryDir config;
    tessel::X11Platform x11(config.path());
    platform = &x11;
    openDesktopWindows(desktop);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
