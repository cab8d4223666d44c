#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace tessel {

// The compositor's toplevel windows as foreign-toplevel management reports them. Each
// window's changes arrive one by one and take effect together at its `done`.
class ToplevelList {
public:
    using Handle = const void*;

    void add(Handle handle);
    void setAppId(Handle handle, const QString& appId);
    void setActivated(Handle handle, bool activated);
    void done(Handle handle);
    void remove(Handle handle);

    // The app of the window activated last among those still active; none when no window
    // is active or the active one names no app.
    std::optional<QString> frontAppId() const;
    // The active window, for handing the focus to.
    std::optional<Handle> frontWindow() const;
    // Every app with a window, each once, in the order their first windows appeared.
    QStringList runningAppIds() const;
    QList<Handle> handles() const;
    // A window of the app, the one activated last first.
    std::optional<Handle> windowOf(const QString& appId) const;

private:
    struct State {
        QString appId;
        bool activated = false;
    };
    struct Window {
        qint64 order = 0;
        State current;
        State pending;
        // When it was last activated; later activations count higher.
        qint64 activation = 0;
    };

    std::map<Handle, Window> m_windows;
    qint64 m_nextOrder = 0;
    qint64 m_activations = 0;
};

} // namespace tessel
