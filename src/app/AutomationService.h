#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QObject>
#include <QVariantList>

#include <functional>

namespace tessel {

class ShortcutRegistry;
class Store;

// Tessel on the session bus as "com.corvane.Tessel": org.freedesktop.Application for the
// desktop, `gapplication` and `tessel` itself, plus com.corvane.Tessel for what the
// standard interface cannot carry (status and shortcuts).
class AutomationService final : public QObject {
    Q_OBJECT

public:
    static QString serviceName() { return QStringLiteral("com.corvane.Tessel"); }
    static QString objectPath() { return QStringLiteral("/com/corvane/Tessel"); }
    static QString controlInterface() { return QStringLiteral("com.corvane.Tessel"); }

    struct Hooks {
        std::function<void()> reopen;
        std::function<QString()> status;
    };

    AutomationService(Store& store, ShortcutRegistry& shortcuts, Hooks hooks);
    // Gives the name up, so that a Tessel started next can take it at once.
    ~AutomationService() override;

    // Registers the object on the session bus, then claims the name; false when there is no
    // bus or another instance holds the name.
    bool publish();

    Store& store() { return m_store; }
    ShortcutRegistry& shortcuts() { return m_shortcuts; }
    const Hooks& hooks() const { return m_hooks; }

    // Sends the error as the reply to the message instead of the usual empty one.
    static void refuse(const QDBusMessage& message, const QString& text);

private:
    Store& m_store;
    ShortcutRegistry& m_shortcuts;
    Hooks m_hooks;
    bool m_published = false;
};

class ApplicationAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit ApplicationAdaptor(AutomationService* service);

public Q_SLOTS:
    void Activate(const QVariantMap& platformData);
    // Adds the paper of each file:// paper document under a new id; refuses them all if any is
    // not one.
    void Open(const QStringList& uris, const QVariantMap& platformData,
              const QDBusMessage& message);
    void ActivateAction(const QString& action, const QVariantList& parameter,
                        const QVariantMap& platformData, const QDBusMessage& message);

private:
    AutomationService& m_service;
};

class ControlAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.corvane.Tessel")

public:
    explicit ControlAdaptor(AutomationService* service);

public Q_SLOTS:
    QString Status();
    // Returns the combination as Tessel writes it.
    QString SetShortcut(const QString& name, const QString& keys, const QDBusMessage& message);
    void ClearShortcut(const QString& name, const QDBusMessage& message);
    // Runs the action, for key bindings the desktop itself holds.
    void RunShortcut(const QString& name, const QDBusMessage& message);

private:
    AutomationService& m_service;
};

} // namespace tessel
