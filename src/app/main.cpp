#include "app/CommandLine.h"
#include "core/Store.h"
#include "overlay/OverlayController.h"
#include "platform/UserDefaults.h"
#include "platform/x11/X11Platform.h"

#include <QApplication>
#include <QCoreApplication>

namespace {

void describeApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Tessel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("corvane.com"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSEL_VERSION));
}

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(tessel::Platform::ownAppId());
    QApplication::setQuitOnLastWindowClosed(false);

    tessel::X11Platform platform(tessel::UserDefaults::defaultDirectory());
    tessel::Store store(platform, std::make_unique<tessel::OverlayController>(platform));
    store.start();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    describeApplication();
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (const auto exitCode = tessel::runCommandLine(arguments, out, err)) {
        return *exitCode;
    }
    return runApplication(argc, argv);
}
