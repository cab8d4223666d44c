#include "platform/desktop/DisplayInhibitors.h"

#include "platform/desktop/DBusCall.h"

#include <QDBusArgument>

namespace tessel {

namespace {

// GNOME's session manager flag for "inhibit the session being marked as idle".
constexpr uint gnomeInhibitIdle = 8;

bool logindBlocksIdle(const QDBusConnection& system) {
    const auto reply = dbusCall(
        system, QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors"), {});
    if (!reply || !reply->canConvert<QDBusArgument>()) {
        return false;
    }
    // a(ssssuu): what, who, why, mode, uid, pid; "what" is a colon-separated list.
    const auto inhibitors = reply->value<QDBusArgument>();
    bool blocked = false;
    inhibitors.beginArray();
    while (!inhibitors.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        inhibitors.beginStructure();
        inhibitors >> what >> who >> why >> mode >> uid >> pid;
        inhibitors.endStructure();
        blocked = blocked || (what.split(u':').contains(QStringLiteral("idle")) &&
                              mode == QStringLiteral("block"));
    }
    inhibitors.endArray();
    return blocked;
}

bool answersTrue(const std::optional<QVariant>& reply) {
    return reply && reply->metaType() == QMetaType::fromType<bool>() && reply->toBool();
}

} // namespace

bool displayKeptAwake(const QDBusConnection& system, const QDBusConnection& session) {
    return logindBlocksIdle(system) ||
           answersTrue(dbusCall(session, QStringLiteral("org.gnome.SessionManager"),
                                QStringLiteral("/org/gnome/SessionManager"),
                                QStringLiteral("org.gnome.SessionManager"),
                                QStringLiteral("IsInhibited"), {gnomeInhibitIdle})) ||
           answersTrue(dbusCall(session, QStringLiteral("org.freedesktop.PowerManagement"),
                                QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"),
                                QStringLiteral("org.freedesktop.PowerManagement.Inhibit"),
                                QStringLiteral("HasInhibit"), {}));
}

} // namespace tessel
