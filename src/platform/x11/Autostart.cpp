#include "platform/x11/Autostart.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace tessel {

namespace {

const char* const entry = "[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Tessel\n"
                          "Exec=tessel\n"
                          "Icon=com.corvane.Tessel\n"
                          "X-GNOME-Autostart-enabled=true\n";

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
    file.write(entry);
    return file.commit();
}

bool isAutostart() {
    return QFile::exists(autostartEntryPath());
}

} // namespace tessel
