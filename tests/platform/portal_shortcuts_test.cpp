#include "FakeService.h"
#include "WaitFor.h"
#include "platform/desktop/PortalShortcut.h"
#include "platform/desktop/PortalShortcuts.h"

#include <QDBusObjectPath>
#include <QMutex>

#include <gtest/gtest.h>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;

const QString portalPath = u"/org/freedesktop/portal/desktop"_s;

// The GlobalShortcuts portal as xdg-desktop-portal serves it: every request answers at once
// through its Response signal. It answers on the service's thread, so what it was asked to
// bind is kept under a lock.
class PortalStandIn {
public:
    PortalStandIn() {
        m_service.answer(portalPath, [this](const QDBusMessage& call) { return answer(call); });
    }

    QHash<QString, QVariantMap> bound() const {
        const QMutexLocker lock(&m_mutex);
        return m_bound;
    }

    void activate(const QString& id) {
        const QMutexLocker lock(&m_mutex);
        m_service.emitSignal(
            portalPath, u"org.freedesktop.portal.GlobalShortcuts"_s, u"Activated"_s,
            {QVariant::fromValue(QDBusObjectPath(m_session)), id, qulonglong(0), QVariantMap()});
    }

private:
    std::optional<QVariantList> answer(const QDBusMessage& call) {
        // Every request ends with its options.
        const auto options =
            qdbus_cast<QVariantMap>(call.arguments().value(call.arguments().size() - 1));
        const QMutexLocker lock(&m_mutex);
        if (call.member() == u"CreateSession") {
            m_session = path(call, u"session"_s, options.value(u"session_handle_token"_s));
            return respond(call, options, {{u"session_handle"_s, m_session}});
        }
        if (call.member() == u"BindShortcuts") {
            m_bound.clear();
            for (const PortalShortcut& shortcut :
                 qdbus_cast<QList<PortalShortcut>>(call.arguments()[1])) {
                m_bound.insert(shortcut.id, shortcut.properties);
            }
            return respond(call, options, {});
        }
        return test::property(call, u"version"_s, 1u);
    }

    static QString path(const QDBusMessage& call, const QString& kind, const QVariant& token) {
        return portalPath + u'/' + kind + u'/' + call.service().mid(1).replace(u'.', u'_') + u'/' +
               token.toString();
    }

    QVariantList respond(const QDBusMessage& call, const QVariantMap& options,
                         const QVariantMap& results) {
        const QString request = path(call, u"request"_s, options.value(u"handle_token"_s));
        m_service.emitSignal(request, u"org.freedesktop.portal.Request"_s, u"Response"_s,
                             {0U, results});
        return {QVariant::fromValue(QDBusObjectPath(request))};
    }

    mutable QMutex m_mutex;
    QString m_session;
    QHash<QString, QVariantMap> m_bound;
    // Last, so that it stops answering first.
    test::FakeService m_service{u"org.freedesktop.portal.Desktop"_s};
};

TEST(PortalShortcuts, ProposeEachBindingAndRunWhatThePortalActivates) {
    registerPortalShortcutTypes();
    PortalStandIn portal;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(PortalShortcuts::available(bus));

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

    portal.activate(u"heavier"_s);
    ASSERT_TRUE(waitFor([&] { return ran == QStringList{u"heavier"_s}; }));
    shortcuts.unbind(u"heavier"_s);
    ASSERT_TRUE(waitFor([&] { return portal.bound().size() == 1; }));
    portal.activate(u"heavier"_s);
    portal.activate(u"togglePaper"_s);
    EXPECT_TRUE(waitFor([&] { return ran.size() == 2; }));
    EXPECT_EQ(ran, (QStringList{u"heavier"_s, u"togglePaper"_s}));
}

} // namespace
} // namespace tessel
