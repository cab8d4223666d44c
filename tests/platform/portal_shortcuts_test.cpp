#include "FakeService.h"
#include "WaitFor.h"
#include "platform/desktop/PortalShortcut.h"
#include "platform/desktop/PortalShortcuts.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QMutex>

#include <gtest/gtest.h>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;

const QString portalPath = u"/org/freedesktop/portal/desktop"_s;

// The GlobalShortcuts portal as xdg-desktop-portal serves it: every request answers at once
// through its Response signal. It runs on the service's thread, so what it was asked to bind
// is read under a lock.
class PortalStandIn : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)

public:
    uint version() const { return 1; }

    QHash<QString, QVariantMap> bound() const {
        const QMutexLocker lock(&m_mutex);
        return m_bound;
    }

    QString session() const {
        const QMutexLocker lock(&m_mutex);
        return m_session;
    }

public Q_SLOTS:
    QDBusObjectPath CreateSession(const QVariantMap& options) {
        const QMutexLocker lock(&m_mutex);
        m_session = path(u"session"_s, options.value(u"session_handle_token"_s));
        return respond(options, {{u"session_handle"_s, m_session}});
    }

    QDBusObjectPath BindShortcuts(const QDBusObjectPath&,
                                  const QList<tessel::PortalShortcut>& shortcuts, const QString&,
                                  const QVariantMap& options) {
        const QMutexLocker lock(&m_mutex);
        m_bound.clear();
        for (const PortalShortcut& shortcut : shortcuts) {
            m_bound.insert(shortcut.id, shortcut.properties);
        }
        return respond(options, {});
    }

private:
    QString path(const QString& kind, const QVariant& token) const {
        return portalPath + u'/' + kind + u'/' + message().service().mid(1).replace(u'.', u'_') +
               u'/' + token.toString();
    }

    QDBusObjectPath respond(const QVariantMap& options, const QVariantMap& results) {
        const QString request = path(u"request"_s, options.value(u"handle_token"_s));
        QDBusMessage response =
            QDBusMessage::createSignal(request, u"org.freedesktop.portal.Request"_s, u"Response"_s);
        response << 0U << results;
        connection().send(response);
        return QDBusObjectPath(request);
    }

    mutable QMutex m_mutex;
    QString m_session;
    QHash<QString, QVariantMap> m_bound;
};

TEST(PortalShortcuts, ProposeEachBindingAndRunWhatThePortalActivates) {
    registerPortalShortcutTypes();
    PortalStandIn portal;
    test::FakeService service(u"org.freedesktop.portal.Desktop"_s);
    ASSERT_TRUE(service.add(portalPath, portal));
    const QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(PortalShortcuts::available(bus));
    const auto press = [&](const QString& id) {
        service.emitSignal(portalPath, u"org.freedesktop.portal.GlobalShortcuts"_s, u"Activated"_s,
                           {QVariant::fromValue(QDBusObjectPath(portal.session())), id,
                            qulonglong(0), QVariantMap()});
    };

    PortalShortcuts shortcuts(bus, [](const QString& name) { return name.toUpper(); });
    QStringList ran;
    shortcuts.setHandler([&ran](const QString& name) { ran << name; });
    EXPECT_EQ(shortcuts.bind(u"togglePaper"_s, Qt::ControlModifier | Qt::AltModifier | Qt::Key_P),
              HotKeys::Grab::ok);
    shortcuts.bind(u"heavier"_s, Qt::MetaModifier | Qt::ShiftModifier | Qt::Key_Equal);
    ASSERT_TRUE(waitFor([&] { return portal.bound().size() == 2; }));
    EXPECT_EQ(portal.bound()[u"togglePaper"_s],
              (QVariantMap{{u"description"_s, u"TOGGLEPAPER"_s},
                           {u"preferred_trigger"_s, u"CTRL+ALT+p"_s}}));
    EXPECT_EQ(portal.bound()[u"heavier"_s][u"preferred_trigger"_s], u"SHIFT+LOGO+equal"_s);

    press(u"heavier"_s);
    ASSERT_TRUE(waitFor([&] { return ran == QStringList{u"heavier"_s}; }));
    shortcuts.unbind(u"heavier"_s);
    ASSERT_TRUE(waitFor([&] { return portal.bound().size() == 1; }));
    press(u"heavier"_s);
    press(u"togglePaper"_s);
    EXPECT_TRUE(waitFor([&] { return ran.size() == 2; }));
    EXPECT_EQ(ran, (QStringList{u"heavier"_s, u"togglePaper"_s}));
}

} // namespace
} // namespace tessel

#include "portal_shortcuts_test.moc"
