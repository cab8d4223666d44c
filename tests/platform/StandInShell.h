#pragma once

#include "FakeService.h"

#include <QDBusArgument>
#include <QDBusVirtualObject>
#include <QHash>
#include <QMutex>
#include <QPoint>
#include <QRect>

namespace tessel::test {

// One running app as the extension lists it.
struct RunningApp {
    QString appId;
    uint pid = 0;
    QString name;
};

QDBusArgument& operator<<(QDBusArgument& argument, const RunningApp& app);
const QDBusArgument& operator>>(const QDBusArgument& argument, RunningApp& app);

// Tessel's GNOME Shell extension as the shell serves it: the interface read from the same
// description the extension embeds, introspected as the extension's is, and every call, reply
// and signal checked against it, so that Tessel cannot drift from what the extension serves.
class StandInShell final : public QDBusVirtualObject {
public:
    StandInShell();
    ~StandInShell() override;

    // Takes the extension's bus name, as enabling the extension does; leaving gives it up.
    void enable();
    void disable();
    void emitSignal(const QString& name, const QVariantList& arguments);

    // What the extension answers with; guarded, since it answers from the bus's thread.
    void setFocus(const QString& appId, uint pid, QRect frame);
    void setApps(const QList<RunningApp>& apps);
    void setPointer(QPoint at);
    void setGrabbable(bool grabbable);
    // Each call as "Method(arg, ...)", in order; and every mismatch with the description.
    QStringList calls() const;
    QStringList violations() const;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    struct Member {
        QString in;
        QString out;
    };

    QVariantList answer(const QDBusMessage& message);
    void check(const QString& what, const QString& expected, const QVariantList& values);

    QString m_interfaceXml;
    QHash<QString, Member> m_methods;
    QHash<QString, Member> m_signals;
    std::unique_ptr<FakeService> m_service;

    mutable QMutex m_mutex;
    QVariantList m_focus;
    QList<RunningApp> m_apps;
    QPoint m_pointer;
    bool m_grabbable = true;
    QStringList m_calls;
    QStringList m_violations;
};

} // namespace tessel::test

Q_DECLARE_METATYPE(tessel::test::RunningApp)
