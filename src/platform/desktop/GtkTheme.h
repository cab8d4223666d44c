#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tessel {

// What GTK's own settings files say about dark: the theme's name and the prefer-dark switch.
struct GtkThemeChoice {
    std::optional<QString> themeName;
    bool preferDark = false;

    bool operator==(const GtkThemeChoice&) const = default;
};

// A theme named for its dark variant: "Adwaita-dark", "Arc-Dark", or GTK_THEME's "Adwaita:dark".
bool isDarkThemeName(const QString& name);

// GTK 3's and GTK 4's settings.ini under the XDG config home, GTK 3's first.
QStringList gtkSettingsFiles();

// The [Settings] group of those files; the first file that names a theme gives it.
GtkThemeChoice readGtkSettingsFiles(const QStringList& paths);

} // namespace tessel
