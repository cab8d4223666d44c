#pragma once

#include "AppFixture.h"
#include "ChildRun.h"
#include "app/TesselApp.h"
#include "doubles/FakeHotKeys.h"

#include <QDBusConnection>
#include <QStandardPaths>

namespace tessel {

// A Tessel over the fake machine, its Store started and its name taken on the private bus,
// as a second launch or a `tessel` command would find it.
class RunningTessel : public AppFixture {
protected:
    void SetUp() override {
        if (!QDBusConnection::sessionBus().isConnected()) {
            GTEST_SKIP() << "dbus-daemon is not installed";
        }
        app = std::make_unique<TesselApp>(platform, hotKeys, std::make_unique<RecordingOverlay>(),
                                          QUrl());
        ASSERT_EQ(app->publish(), TesselApp::Presence::published);
        app->store().start();
    }

    ChildRun tessel(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TESSEL_CONFIG_DIR"), dir.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return runChild(QStringLiteral(TESSEL_BINARY), arguments, environment);
    }

    ChildRun gdbus(const QString& method, const QStringList& arguments) {
        QStringList all{QStringLiteral("call"),          QStringLiteral("--session"),
                        QStringLiteral("--dest"),        QStringLiteral("com.corvane.Tessel"),
                        QStringLiteral("--object-path"), QStringLiteral("/com/corvane/Tessel"),
                        QStringLiteral("--method"),      method};
        return runChild(QStringLiteral("gdbus"), all + arguments);
    }

    ChildRun action(const QString& name, const QString& parameter) {
        return gdbus(QStringLiteral("org.freedesktop.Application.ActivateAction"),
                     {name, parameter, QStringLiteral("{}")});
    }

    static bool hasProgram(const char* name) {
        return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
    }

    const Settings& settings() { return app->store().settings(); }

    FakeHotKeys hotKeys;
    std::unique_ptr<TesselApp> app;
};

} // namespace tessel
