#pragma once

#include "platform/HotKeys.h"

#include <QHash>
#include <QSet>

namespace tessel {

// Hot keys for tests: the test marks combinations as held by other programs and presses
// bound ones itself.
class FakeHotKeys final : public HotKeys {
public:
    Grab bind(const QString& name, QKeyCombination keys) override {
        unbind(name);
        if (m_taken.contains(keys.toCombined())) {
            return Grab::taken;
        }
        m_bound.insert(name, keys);
        return Grab::ok;
    }
    void unbind(const QString& name) override { m_bound.remove(name); }

    void takeElsewhere(QKeyCombination keys) { m_taken.insert(keys.toCombined()); }
    const QHash<QString, QKeyCombination>& bound() const { return m_bound; }

    // Runs the handler as a key press would, when a name holds these keys.
    void press(QKeyCombination keys) const {
        for (auto it = m_bound.cbegin(); it != m_bound.cend(); ++it) {
            if (it.value() == keys) {
                trigger(it.key());
            }
        }
    }

private:
    QHash<QString, QKeyCombination> m_bound;
    QSet<int> m_taken;
};

} // namespace tessel
