#pragma once

#include <QKeyCombination>
#include <QString>

#include <functional>
#include <utility>

namespace tessel {

// System-wide key combinations bound to names. The handler runs on the main thread each
// time a bound combination is pressed, whichever window has the focus.
class HotKeys {
public:
    enum class Grab {
        ok,
        taken,      // another program holds the combination
        unsupported // the key has no place on this keyboard, or no desktop to grab it on
    };

    virtual ~HotKeys() = default;

    // Replaces whatever the name was bound to; on failure the name is left unbound.
    virtual Grab bind(const QString& name, QKeyCombination keys) = 0;
    virtual void unbind(const QString& name) = 0;

    void setHandler(std::function<void(const QString& name)> handler) {
        m_handler = std::move(handler);
    }

protected:
    void trigger(const QString& name) const {
        if (m_handler) {
            m_handler(name);
        }
    }

private:
    std::function<void(const QString&)> m_handler;
};

} // namespace tessel
