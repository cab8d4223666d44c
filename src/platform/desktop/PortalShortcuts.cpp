#include "platform/desktop/PortalShortcuts.h"

#include "platform/PlatformLog.h"
#include "platform/desktop/DBusCall.h"
#include "platform/desktop/PortalShortcut.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QHash>
#include <QKeySequence>

namespace tessel {

namespace {

const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString interface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
constexpr uint responseSuccess = 0;

// Keys whose keysym name is not the character itself.
const QHash<int, QString>& keysymNames() {
    static const QHash<int, QString> names{
        {Qt::Key_Space, QStringLiteral("space")},
        {Qt::Key_Equal, QStringLiteral("equal")},
        {Qt::Key_Minus, QStringLiteral("minus")},
        {Qt::Key_Comma, QStringLiteral("comma")},
        {Qt::Key_Period, QStringLiteral("period")},
        {Qt::Key_Slash, QStringLiteral("slash")},
        {Qt::Key_Backslash, QStringLiteral("backslash")},
        {Qt::Key_Semicolon, QStringLiteral("semicolon")},
        {Qt::Key_Apostrophe, QStringLiteral("apostrophe")},
        {Qt::Key_BracketLeft, QStringLiteral("bracketleft")},
        {Qt::Key_BracketRight, QStringLiteral("bracketright")},
        {Qt::Key_QuoteLeft, QStringLiteral("grave")},
    };
    return names;
}

QString keysymName(Qt::Key key) {
    if (const auto named = keysymNames().find(key); named != keysymNames().end()) {
        return *named;
    }
    const QString text = QKeySequence(key).toString(QKeySequence::PortableText);
    return key >= Qt::Key_A && key <= Qt::Key_Z ? text.toLower() : text;
}

} // namespace

bool PortalShortcuts::available(const QDBusConnection& bus) {
    return dbusCall(bus, service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                    QStringLiteral("Get"), {interface, QStringLiteral("version")})
        .has_value();
}

QString PortalShortcuts::triggerText(QKeyCombination keys) {
    static const std::pair<Qt::KeyboardModifier, const char*> modifiers[] = {
        {Qt::ControlModifier, "CTRL"},
        {Qt::AltModifier, "ALT"},
        {Qt::ShiftModifier, "SHIFT"},
        {Qt::MetaModifier, "LOGO"},
    };
    QStringList parts;
    for (const auto& [modifier, name] : modifiers) {
        if (keys.keyboardModifiers() & modifier) {
            parts << QString::fromLatin1(name);
        }
    }
    parts << keysymName(keys.key());
    return parts.join(u'+');
}

PortalShortcuts::PortalShortcuts(QDBusConnection bus,
                                 std::function<QString(const QString&)> describe)
    : m_bus(std::move(bus))
    , m_describe(std::move(describe)) {
    registerPortalShortcutTypes();
    createSession();
}

HotKeys::Grab PortalShortcuts::bind(const QString& name, QKeyCombination keys) {
    m_bound.insert(name, keys);
    sendBindings();
    return Grab::ok;
}

void PortalShortcuts::unbind(const QString& name) {
    if (m_bound.remove(name) > 0) {
        sendBindings();
    }
}

QString PortalShortcuts::nextToken() {
    return QStringLiteral("tessel%1").arg(++m_tokens);
}

// The portal answers on a path made from our bus name and the token, which we listen on
// before asking so that no answer can come first.
QString PortalShortcuts::requestPath(const QString& token) const {
    QString sender = m_bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    return path + QStringLiteral("/request/") + sender + u'/' + token;
}

void PortalShortcuts::createSession() {
    const QString token = nextToken();
    m_bus.connect(service, requestPath(token), requestInterface, QStringLiteral("Response"), this,
                  SLOT(sessionCreated(uint, QVariantMap)));
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), nextToken()}};
    m_bus.asyncCall(call);
}

void PortalShortcuts::sessionCreated(uint response, const QVariantMap& results) {
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_session = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                     : handle.toString();
    if (response != responseSuccess || m_session.isEmpty()) {
        qCWarning(lcPlatform, "the desktop's portal gave Tessel no shortcuts session");
        m_session.clear();
        return;
    }
    m_bus.connect(service, path, interface, QStringLiteral("Activated"), this,
                  SLOT(activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    sendBindings();
}

void PortalShortcuts::sendBindings() {
    if (m_session.isEmpty()) {
        return; // sent once the session is made
    }
    PortalShortcutList shortcuts;
    for (auto it = m_bound.cbegin(); it != m_bound.cend(); ++it) {
        shortcuts.append({it.key(),
                          {{QStringLiteral("description"), m_describe(it.key())},
                           {QStringLiteral("preferred_trigger"), triggerText(it.value())}}});
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariant::fromValue(shortcuts)
         << QString() << QVariantMap{{QStringLiteral("handle_token"), nextToken()}};
    m_bus.asyncCall(call);
}

void PortalShortcuts::activated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                const QVariantMap&) {
    if (session.path() == m_session && m_bound.contains(id)) {
        trigger(id);
    }
}

} // namespace tessel
