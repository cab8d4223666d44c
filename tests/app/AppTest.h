#pragma once

#include "MachineTest.h"
#include "app/TesselApp.h"
#include "doubles/FakeHotKeys.h"

#include <QProcess>

namespace tessel {

struct ChildRun {
    int code = -1;
    QString out;
    QString err;
};

// Runs a program to its end while this process's event loop keeps serving the bus, so that the
// program may call back into the Tessel running inside the test.
inline ChildRun
runChild(const QString& program, const QStringList& arguments,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ChildRun run;
    if (!waitFor([&] { return process.state() == QProcess::NotRunning; })) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A paper of one's own, as the command line imports and exports it.
inline const CustomPaper kitchen{u"custom-0000ABCD"_s, u"Kitchen"_s,
                                 Paper::find(u"linen"_s, {}).recipe};

// The whole application over the fake machine, on the test program's private bus.
class AppTest : public MachineTest {
protected:
    TesselApp& makeApp() {
        app = std::make_unique<TesselApp>(platform, hotKeys, std::make_unique<RecordingOverlay>(),
                                          QUrl());
        return *app;
    }

    // A started Tessel that holds its name on the bus, as a second launch or a `tessel`
    // command finds it.
    void publish() {
        ASSERT_EQ(makeApp().publish(), TesselApp::Presence::published);
        app->store().start();
    }

    // The built tessel command, with this machine's settings folder.
    ChildRun tessel(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"TESSEL_CONFIG_DIR"_s, dir.path());
        return runChild(QStringLiteral(TESSEL_BINARY), arguments, environment);
    }

    ChildRun gdbus(const QString& method, const QStringList& arguments) {
        return runChild(u"gdbus"_s, QStringList{u"call"_s, u"--session"_s, u"--dest"_s,
                                                u"com.corvane.Tessel"_s, u"--object-path"_s,
                                                u"/com/corvane/Tessel"_s, u"--method"_s, method} +
                                        arguments);
    }

    ChildRun action(const QString& name, const QString& parameter) {
        return gdbus(u"org.freedesktop.Application.ActivateAction"_s, {name, parameter, u"{}"_s});
    }

    const Settings& settings() const { return app->store().settings(); }
    QWidget* window(const QString& id) const { return app->windows().window(id); }

    FakeHotKeys hotKeys;
    std::unique_ptr<TesselApp> app;
};

} // namespace tessel

// Lets failed expectations, and messages streamed into them, show Qt strings as text.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text;
}
