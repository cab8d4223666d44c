#pragma once

#include "FakeService.h"

#include <QDBusArgument>
#include <QHash>
#include <QMutex>
#include <QPoint>

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
class StandInShell {
public:
    // What the extension answers with.
    struct Answers {
        QVariantList focus{QString(), 0u, 0, 0, 0, 0};
        QList<RunningApp> apps;
        QPoint pointer;
        bool grabbable = true;
    };

    StandInShell();

    // Takes the extension's bus name, as enabling the extension does.
    void enable();
    void emitSignal(const QString& name, const QVariantList& arguments);
    // Changes the answers; they are read on the bus's thread, so under a lock.
    void change(const std::function<void(Answers&)>& edit);
    // Each call as "Method(arg, ...)", in order; and every mismatch with the description.
    QStringList calls() const;
    QStringList violations() const;

private:
    // A member's argument signatures, in and out.
    struct Member {
        QString in;
        QString out;
    };

    std::optional<QVariantList> answer(const QDBusMessage& message);
    void check(const QString& what, const QString& expected, const QVariantList& values);

    QString m_interfaceXml;
    QHash<QString, Member> m_methods;
    QHash<QString, Member> m_signals;
    std::unique_ptr<FakeService> m_service;

    mutable QMutex m_mutex;
    Answers m_answers;
    QStringList m_calls;
    QStringList m_violations;
};

} // namespace tessel::test

Q_DECLARE_METATYPE(tessel::test::RunningApp)
