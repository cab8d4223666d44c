#include "platform/desktop/Autostart.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace tessel {

namespace {

// The program as an Exec key's value: quoted when it holds a character the key reserves,
// then with the escapes every string value takes.
QString execValue(const QString& program) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString value = program;
    if (std::any_of(program.cbegin(), program.cend(),
                    [](QChar c) { return reserved.contains(c); })) {
        value.clear();
        for (const QChar c : program) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
                value += u'\\';
            }
            value += c;
        }
        value = u'"' + value + u'"';
    }
    return value.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'%', QStringLiteral("%%"));
}

// The running program by its absolute path, so that a login whose PATH lacks it still starts
// it.
QByteArray entry() {
    const QString program = QCoreApplication::applicationFilePath();
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Tessel\n"
                          "Exec=%1\n"
                          "Icon=com.corvane.Tessel\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execValue(program.isEmpty() ? QStringLiteral("tessel") : program))
        .toUtf8();
}

} // namespace

QString autostartEntryPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    return config + QStringLiteral("/autostart/") + Platform::ownAppId() +
           QStringLiteral(".desktop");
}

bool setAutostart(bool on) {
    const QString path = autostartEntryPath();
    if (!on) {
        return !QFile::exists(path) || QFile::remove(path);
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(entry());
    return file.commit();
}

bool isAutostart() {
    return QFile::exists(autostartEntryPath());
}

} // namespace tessel
