#include "platform/desktop/GnomeInterface.h"

#include <QStandardPaths>

#include <csignal>
#include <sys/prctl.h>

namespace tessel {

namespace {

const QString schema = QStringLiteral("org.gnome.desktop.interface");
constexpr int readMilliseconds = 1000;

QString unquoted(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(u'\'') && value.endsWith(u'\'')) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

// Every key of the schema in one run: "org.gnome.desktop.interface KEY VALUE" a line.
QHash<QString, QString> readAll(const QString& program) {
    QProcess process;
    process.start(program, {QStringLiteral("list-recursively"), schema});
    if (!process.waitForFinished(readMilliseconds) ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(readMilliseconds);
        return {};
    }
    QHash<QString, QString> values;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        const QStringList parts = QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
        if (parts.size() >= 3 && parts[0] == schema) {
            values.insert(parts[1], unquoted(parts.mid(2).join(u' ')));
        }
    }
    return values;
}

} // namespace

GnomeInterface::GnomeInterface() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty()) {
        return;
    }
    m_values = readAll(program);
    if (m_values.isEmpty()) {
        return;
    }
    // The monitor goes when Tessel goes, even when Tessel is killed.
    m_monitor.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_monitor.setStandardErrorFile(QProcess::nullDevice());
    connect(&m_monitor, &QProcess::readyReadStandardOutput, this, &GnomeInterface::readMonitor);
    m_monitor.start(program, {QStringLiteral("monitor"), schema});
}

GnomeInterface::~GnomeInterface() {
    m_monitor.disconnect(this);
    if (m_monitor.state() != QProcess::NotRunning) {
        m_monitor.terminate();
        if (!m_monitor.waitForFinished(readMilliseconds)) {
            m_monitor.kill();
            m_monitor.waitForFinished(readMilliseconds);
        }
    }
}

std::optional<QString> GnomeInterface::value(const QString& key) const {
    const auto it = m_values.constFind(key);
    return it == m_values.constEnd() ? std::nullopt : std::optional(*it);
}

// The monitor prints "KEY: VALUE" a line for each change.
void GnomeInterface::readMonitor() {
    m_partialLine += m_monitor.readAllStandardOutput();
    bool any = false;
    for (qsizetype end = m_partialLine.indexOf('\n'); end >= 0; end = m_partialLine.indexOf('\n')) {
        const QString line = QString::fromUtf8(m_partialLine.left(end));
        m_partialLine.remove(0, end + 1);
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0) {
            m_values.insert(line.left(colon).trimmed(), unquoted(line.mid(colon + 1)));
            any = true;
        }
    }
    if (any) {
        Q_EMIT changed();
    }
}

} // namespace tessel
