#include "core/Settings.h"

namespace tessel {

QStringList ArtSettings::defaultCollections() {
    return {QStringLiteral("ukiyoe"), QStringLiteral("impressionist"), QStringLiteral("dutch"),
            QStringLiteral("botanical"), QStringLiteral("ink")};
}

// Entries are prefixes, so a short plain form must not begin another common app's id: OBS's
// window class "obs" would also catch Obsidian, and its desktop entry already maps it to
// com.obsproject.Studio.
QStringList Settings::defaultExcludedApps() {
    return {
        QStringLiteral("org.gimp.GIMP"),
        QStringLiteral("gimp"),
        QStringLiteral("org.kde.krita"),
        QStringLiteral("krita"),
        QStringLiteral("org.inkscape.Inkscape"),
        QStringLiteral("inkscape"),
        QStringLiteral("org.darktable.darktable"),
        QStringLiteral("darktable"),
        QStringLiteral("com.rawtherapee.RawTherapee"),
        QStringLiteral("rawtherapee"),
        QStringLiteral("org.blender.Blender"),
        QStringLiteral("blender"),
        QStringLiteral("org.kde.kdenlive"),
        QStringLiteral("kdenlive"),
        QStringLiteral("com.obsproject.Studio"),
        QStringLiteral("org.videolan.VLC"),
        QStringLiteral("vlc"),
        QStringLiteral("io.mpv.Mpv"),
        QStringLiteral("mpv"),
        QStringLiteral("org.gnome.Totem"),
        QStringLiteral("totem"),
        QStringLiteral("org.kde.digikam"),
        QStringLiteral("digikam"),
        QStringLiteral("resolve"),
        QStringLiteral("displaycal"),
    };
}

} // namespace tessel
