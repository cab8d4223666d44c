#include "platform/x11/AppIdentity.h"

#include "platform/x11/XProperties.h"

namespace tessel {

namespace {

// WM_CLASS holds "instance\0class\0".
std::pair<QString, QString> wmClass(XConnection& x, xcb_window_t window) {
    const QList<QByteArray> parts =
        xprop::text(x, window, "WM_CLASS").value_or(QByteArray()).split('\0');
    return {parts.size() > 0 ? QString::fromLocal8Bit(parts[0]) : QString(),
            parts.size() > 1 ? QString::fromLocal8Bit(parts[1]) : QString()};
}

// KDE stores either an id or a path, with or without the suffix.
QString desktopFileId(QString value) {
    value = value.section(u'/', -1);
    if (value.endsWith(u".desktop")) {
        value.chop(8);
    }
    return value;
}

} // namespace

AppIdentity::AppIdentity(XConnection& x, qint64 ownPid)
    : m_x(x)
    , m_ownPid(ownPid) {}

AppInfo AppIdentity::appOf(xcb_window_t client) {
    AppInfo app;
    if (const auto pid = xprop::value(m_x, client, "_NET_WM_PID", XCB_ATOM_CARDINAL)) {
        app.pid = static_cast<qint32>(*pid);
    }
    if (app.pid && *app.pid == m_ownPid) {
        app.appId = Platform::ownAppId();
        app.name = QStringLiteral("Tessel");
        return app;
    }
    const auto [instance, className] = wmClass(m_x, client);
    app.appId = explicitId(client);
    if (!app.appId) {
        app.appId = m_entries.idForWindowClass(className, instance);
    }
    if (!app.appId && !className.isEmpty()) {
        app.appId = className.toLower();
    }
    app.name = (app.appId ? m_entries.name(*app.appId) : std::nullopt).value_or(className);
    return app;
}

std::optional<QString> AppIdentity::explicitId(xcb_window_t client) {
    if (const auto gtk = xprop::text(m_x, client, "_GTK_APPLICATION_ID"); gtk && !gtk->isEmpty()) {
        return QString::fromUtf8(*gtk);
    }
    if (const auto kde = xprop::text(m_x, client, "_KDE_NET_WM_DESKTOP_FILE");
        kde && !kde->isEmpty()) {
        return desktopFileId(QString::fromUtf8(*kde));
    }
    return std::nullopt;
}

} // namespace tessel
