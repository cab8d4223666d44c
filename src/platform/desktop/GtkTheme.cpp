#include "platform/desktop/GtkTheme.h"

#include <QDir>
#include <QFile>

namespace tessel {

bool isDarkThemeName(const QString& name) {
    return name.endsWith(u"-dark", Qt::CaseInsensitive) ||
           name.endsWith(u":dark", Qt::CaseInsensitive);
}

QStringList gtkSettingsFiles() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    return {config + QStringLiteral("/gtk-3.0/settings.ini"),
            config + QStringLiteral("/gtk-4.0/settings.ini")};
}

GtkThemeChoice readGtkSettingsFiles(const QStringList& paths) {
    GtkThemeChoice choice;
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            continue;
        }
        bool inSettings = false;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            if (line.startsWith(u'[')) {
                inSettings = line == u"[Settings]";
                continue;
            }
            const qsizetype equals = line.indexOf(u'=');
            if (!inSettings || equals <= 0) {
                continue;
            }
            const QString key = line.left(equals).trimmed();
            const QString value = line.mid(equals + 1).trimmed();
            if (key == u"gtk-theme-name" && !choice.themeName && !value.isEmpty()) {
                choice.themeName = value;
            } else if (key == u"gtk-application-prefer-dark-theme") {
                choice.preferDark = choice.preferDark || value == u"1" || value == u"true";
            }
        }
    }
    return choice;
}

} // namespace tessel
