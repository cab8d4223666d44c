#pragma once

#include "platform/HotKeys.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QMap>
#include <QObject>
#include <QVariantMap>

#include <functional>

namespace tessel {

// System-wide shortcuts through the desktop's GlobalShortcuts portal (KDE Plasma 5.27 and
// later, Hyprland, GNOME 48 and later). Tessel proposes each combination; the desktop may ask
// the user and has the last word, so a binding is never refused here.
class PortalShortcuts final : public QObject, public HotKeys {
    Q_OBJECT

public:
    // Whether the session's portal offers global shortcuts; asks the bus once, briefly.
    static bool available(const QDBusConnection& bus);
    // The portal's trigger text for a combination, as "CTRL+ALT+p".
    static QString triggerText(QKeyCombination keys);

    // `describe` names an action for the desktop's list of shortcuts.
    PortalShortcuts(QDBusConnection bus, std::function<QString(const QString& name)> describe);

    Grab bind(const QString& name, QKeyCombination keys) override;
    void unbind(const QString& name) override;

private Q_SLOTS:
    void sessionCreated(uint response, const QVariantMap& results);
    void activated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                   const QVariantMap& options);

private:
    void createSession();
    void sendBindings();
    QString nextToken();
    QString requestPath(const QString& token) const;

    QDBusConnection m_bus;
    std::function<QString(const QString&)> m_describe;
    QMap<QString, QKeyCombination> m_bound;
    // Empty until the portal has made the session.
    QString m_session;
    int m_tokens = 0;
};

} // namespace tessel
