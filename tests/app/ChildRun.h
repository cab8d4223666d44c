#pragma once

#include "QtPrinters.h"
#include "WaitFor.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace tessel {

struct ChildRun {
    int code = -1;
    QString out;
    QString err;
};

// Runs a program to its end while this process's event loop keeps serving the bus, so the
// program may call back into the Tessel running inside the test.
inline ChildRun
runChild(const QString& program, const QStringList& arguments,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ChildRun run;
    if (!process.waitForStarted(10000)) {
        return run;
    }
    const bool ended =
        waitFor([&] { return process.state() == QProcess::NotRunning; }, std::chrono::seconds(30));
    if (!ended) {
        process.kill();
        process.waitForFinished(5000);
        return run;
    }
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace tessel
