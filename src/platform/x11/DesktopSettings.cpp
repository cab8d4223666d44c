#include "platform/x11/DesktopSettings.h"

#include "platform/x11/DBusCall.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QProcess>
#include <QStandardPaths>

namespace tessel {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString portalInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorScheme = QStringLiteral("color-scheme");
const QString gnomeGroup = QStringLiteral("org.gnome.desktop.interface");
const QString animations = QStringLiteral("enable-animations");

// The portal's color-scheme: 1 prefers dark, 0 and 2 do not.
bool prefersDark(const QVariant& value) {
    return value.toUInt() == 1;
}

std::optional<QString> gsettings(const QString& schema, const QString& key) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(program, {QStringLiteral("get"), schema, key});
    if (!process.waitForFinished(1000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

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

DesktopSettings::DesktopSettings(QDBusConnection sessionBus)
    : m_bus(std::move(sessionBus)) {
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
        m_dark = prefersDark(*scheme);
    } else if (const auto text = gsettings(gnomeGroup, colorScheme)) {
        m_dark = *text == u"'prefer-dark'";
    }
    if (const auto enabled = portalRead(gnomeGroup, animations)) {
        m_animations = enabled->toBool();
    } else if (const auto text = gsettings(gnomeGroup, animations)) {
        m_animations = *text != u"false";
    }
}

bool DesktopSettings::isDark() const {
    return m_dark ? *m_dark : paletteIsDark();
}

bool DesktopSettings::reduceMotion() const {
    if (qEnvironmentVariable("TESSEL_REDUCE_MOTION") == u"1") {
        return true;
    }
    return m_animations == false || kdeAnimationsOff();
}

void DesktopSettings::settingChanged(const QString& group, const QString& key,
                                     const QDBusVariant& value) {
    const QVariant plain = unwrapVariant(value.variant());
    if (group == appearanceGroup && key == colorScheme) {
        m_dark = prefersDark(plain);
        Q_EMIT appearanceChanged();
    } else if (group == gnomeGroup && key == animations) {
        m_animations = plain.toBool();
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
