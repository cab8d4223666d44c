#include "app/AppLog.h"
#include "app/Backend.h"
#include "app/BusClient.h"
#include "app/CommandIO.h"
#include "app/CommandLine.h"
#include "app/QuitSignals.h"
#include "app/StallWatch.h"
#include "app/TesselApp.h"
#include "app/UpdateCheck.h"
#include "overlay/OverlayController.h"
#include "platform/UserDefaults.h"
#include "platform/x11/XConnection.h"

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>
#include <malloc.h>

namespace {

// Tiles, height fields and screen images get pages of their own, which go back to the system
// when freed. Left to itself glibc raises this threshold past the first freed image, and later
// ones then fragment the heap for good.
constexpr int ownPagesFromBytes = 1 << 20;

void describeApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Tessel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("corvane.com"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSEL_VERSION));
}

// Why Qt would find no display to open, where it would otherwise abort with a message that
// blames the installation. Platforms such as offscreen need none.
std::optional<QString> displayProblem() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.contains("xcb") && !platform.contains("wayland")) {
        return std::nullopt;
    }
    const QString x11 = qEnvironmentVariable("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString advice = QStringLiteral("Start Tessel from within your desktop session.");
    if (x11.isEmpty() && !wayland) {
        return QStringLiteral("no display to show paper on: DISPLAY and WAYLAND_DISPLAY are "
                              "not set. ") +
               advice;
    }
    if (!x11.isEmpty() && !wayland && !tessel::xDisplayAnswers()) {
        return QStringLiteral("cannot open the display %1. ").arg(x11) + advice;
    }
    return std::nullopt;
}

int runApplication(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, ownPagesFromBytes);
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(tessel::Platform::ownAppId());
    QApplication::setQuitOnLastWindowClosed(false);
    const auto stallWatch = tessel::StallWatch::fromEnvironment();

    // A second launch only asks the running Tessel to show itself.
    if (tessel::BusClient().activate()) {
        return 0;
    }
    // Caught before the name is taken, so whoever sees the name may signal an orderly quit.
    const tessel::QuitSignals quitSignals;
    std::optional<tessel::Backend> backend =
        tessel::chooseBackend(tessel::UserDefaults::defaultDirectory());
    if (!backend) {
        return 1;
    }
    qCDebug(tessel::lcApp, "on %s", qUtf8Printable(backend->platform->backendName()));
    auto overlay =
        std::make_unique<tessel::OverlayController>(*backend->platform, backend->overlaySurfaces);
    tessel::OverlayController* controller = overlay.get();
    tessel::TesselApp tessel(
        *backend->platform, *backend->hotKeys, std::move(overlay),
        tessel::UpdateCheck::configuredFeed(), [controller] { controller->dropNext = true; },
        backend->momentSurfaces);
    const auto presence = tessel.publish();
    if (presence == tessel::TesselApp::Presence::alreadyRunning && tessel::BusClient().activate()) {
        return 0;
    }
    if (presence != tessel::TesselApp::Presence::published) {
        qCWarning(tessel::lcApp, "not on the session bus as %s: commands cannot reach this Tessel",
                  qUtf8Printable(tessel::AutomationService::serviceName()));
    }
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&tessel] { tessel.shutDown(); });
    tessel.launch();
    return QApplication::exec();
}

// The desktop opens paper documents with `tessel FILE...`; that is an import.
QStringList commandFor(QStringList arguments) {
    const auto isDocument = [](const QString& argument) {
        return argument.endsWith(QStringLiteral(".tessel"), Qt::CaseInsensitive);
    };
    if (!arguments.isEmpty() && std::all_of(arguments.cbegin(), arguments.cend(), isDocument)) {
        arguments.prepend(QStringLiteral("import"));
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    describeApplication();
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    arguments = commandFor(arguments);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (tessel::needsSessionBus(arguments)) {
        QCoreApplication core(argc, argv);
        return tessel::runCommandLine(arguments, out, err).value_or(1);
    }
    if (const auto exitCode = tessel::runCommandLine(arguments, out, err)) {
        return *exitCode;
    }
    if (const auto problem = displayProblem()) {
        return tessel::CommandIO{out, err}.fail(*problem);
    }
    tessel::prepareQtPlatform();
    return runApplication(argc, argv);
}
