#include "platform/desktop/DesktopSettings.h"

#include "platform/desktop/DBusCall.h"
#include "platform/desktop/GnomeInterface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>

namespace tessel {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString portalInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorScheme = QStringLiteral("color-scheme");
const QString gnomeGroup = QStringLiteral("org.gnome.desktop.interface");
const QString animations = QStringLiteral("enable-animations");

// The portal's color-scheme: 1 prefers dark, 2 prefers light, 0 has no preference.
constexpr uint prefersDark = 1;
constexpr uint prefersLight = 2;

QString kdeGlobalsPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    return config + QStringLiteral("/kdeglobals");
}

// AnimationDurationFactor in the [KDE] group; KDE treats 0 as "no animations".
bool kdeAnimationsOff() {
    QFile file(kdeGlobalsPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    bool inKde = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('[')) {
            inKde = line == "[KDE]";
        } else if (inKde && line.startsWith("AnimationDurationFactor")) {
            bool ok = false;
            const double factor = line.mid(line.indexOf('=') + 1).trimmed().toDouble(&ok);
            return ok && factor == 0;
        }
    }
    return false;
}

bool paletteIsDark() {
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::WindowText).lightness() >
           palette.color(QPalette::Window).lightness();
}

} // namespace

DesktopSettings::DesktopSettings(QDBusConnection sessionBus,
                                 std::unique_ptr<ManagedSettings> managed)
    : m_bus(std::move(sessionBus))
    , m_gnome(std::make_unique<GnomeInterface>())
    , m_managed(std::move(managed)) {
    // Workaround: Qt 6.4 matches a signal to a slot by the slot's D-Bus signature, and a
    // QDBusVariant parameter has none until its meta-type is registered; until then every
    // SettingChanged is dropped silently.
    qRegisterMetaType<QDBusVariant>();
    if (m_bus.isConnected()) {
        // Any sender: Qt looks a named sender's owner up asynchronously and drops what
        // arrives before the answer.
        m_bus.connect(QString(), portalPath, portalInterface, QStringLiteral("SettingChanged"),
                      this, SLOT(settingChanged(QString, QString, QDBusVariant)));
    }
    if (const auto scheme = portalRead(appearanceGroup, colorScheme)) {
        m_portalScheme = scheme->toUInt();
    }
    if (const auto enabled = portalRead(gnomeGroup, animations)) {
        m_portalAnimations = enabled->toBool();
    }
    connect(m_gnome.get(), &GnomeInterface::changed, this, &DesktopSettings::refresh);
    if (m_managed) {
        connect(m_managed.get(), &ManagedSettings::changed, this, &DesktopSettings::refresh);
    }
    connect(&m_gtkWatcher, &QFileSystemWatcher::fileChanged, this, &DesktopSettings::watchGtkFiles);
    connect(&m_gtkWatcher, &QFileSystemWatcher::directoryChanged, this,
            &DesktopSettings::watchGtkFiles);
    watchGtkFiles();
    m_dark = isDark();
}

DesktopSettings::~DesktopSettings() = default;

bool DesktopSettings::isDark() const {
    if (m_portalScheme == prefersDark || m_portalScheme == prefersLight) {
        return m_portalScheme == prefersDark;
    }
    const QString scheme = m_gnome->value(colorScheme).value_or(QString());
    if (scheme == u"prefer-dark" || scheme == u"prefer-light") {
        return scheme == u"prefer-dark";
    }
    if (m_gtkFiles.preferDark) {
        return true;
    }
    if (const auto theme = gtkThemeName()) {
        return isDarkThemeName(*theme);
    }
    return paletteIsDark();
}

bool DesktopSettings::reduceMotion() const {
    if (qEnvironmentVariable("TESSEL_REDUCE_MOTION") == u"1") {
        return true;
    }
    const bool animated = m_portalAnimations.value_or(m_gnome->value(animations) != u"false");
    return !animated || kdeAnimationsOff();
}

// The theme GTK applications here would use: the environment overrides everything, a
// running settings manager overrides the files.
std::optional<QString> DesktopSettings::gtkThemeName() const {
    if (const QString forced = qEnvironmentVariable("GTK_THEME"); !forced.isEmpty()) {
        return forced;
    }
    if (auto managed = m_managed ? m_managed->text("Net/ThemeName") : std::nullopt;
        managed && !managed->isEmpty()) {
        return managed;
    }
    if (m_gtkFiles.themeName) {
        return m_gtkFiles.themeName;
    }
    return m_gnome->value(QStringLiteral("gtk-theme"));
}

// Editors replace a file rather than write into it, and the folders may come later, so the
// watch is laid afresh after every change: the files, their folders, or the config home.
void DesktopSettings::watchGtkFiles() {
    const QStringList files = gtkSettingsFiles();
    QStringList paths;
    for (const QString& file : files) {
        const QString folder = QFileInfo(file).path();
        if (QFileInfo::exists(file)) {
            paths << file << folder;
        } else {
            paths << (QFileInfo::exists(folder) ? folder : QFileInfo(folder).path());
        }
    }
    paths.removeDuplicates();
    paths.removeIf([](const QString& path) { return !QFileInfo::exists(path); });
    if (const QStringList watched = m_gtkWatcher.files() + m_gtkWatcher.directories();
        !watched.isEmpty()) {
        m_gtkWatcher.removePaths(watched);
    }
    if (!paths.isEmpty()) {
        m_gtkWatcher.addPaths(paths);
    }
    m_gtkFiles = readGtkSettingsFiles(files);
    refresh();
}

void DesktopSettings::refresh() {
    if (const bool dark = isDark(); dark != m_dark) {
        m_dark = dark;
        Q_EMIT appearanceChanged();
    }
}

void DesktopSettings::settingChanged(const QString& group, const QString& key,
                                     const QDBusVariant& value) {
    const QVariant plain = unwrapVariant(value.variant());
    if (group == appearanceGroup && key == colorScheme) {
        m_portalScheme = plain.toUInt();
        refresh();
    } else if (group == gnomeGroup && key == animations) {
        m_portalAnimations = plain.toBool();
    }
}

// ReadOne answers with the value itself; the older Read wraps it in a second variant.
std::optional<QVariant> DesktopSettings::portalRead(const QString& group,
                                                    const QString& key) const {
    for (const QString& method : {QStringLiteral("ReadOne"), QStringLiteral("Read")}) {
        if (auto value =
                dbusCall(m_bus, portalService, portalPath, portalInterface, method, {group, key})) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace tessel
