#pragma once

#include "platform/HotKeys.h"

#include <QHash>
#include <QObject>

#include <cstdint>
#include <memory>

namespace tessel {

class XConnection;

// Hot keys grabbed with XGrabKey on the root window over Tessel's own X connection. Each
// combination is grabbed four times, with and without Caps Lock and Num Lock, so that the
// lock keys never get in the way. Another client's grab of the same keys is reported as taken.
class GlobalHotKeys final : public QObject, public HotKeys {
public:
    GlobalHotKeys();
    ~GlobalHotKeys() override;

    Grab bind(const QString& name, QKeyCombination keys) override;
    void unbind(const QString& name) override;

private:
    struct Binding {
        uint8_t keycode = 0;
        uint16_t modifiers = 0;
    };

    void ungrab(const Binding& binding);
    void handle(uint8_t keycode, uint16_t state) const;

    std::unique_ptr<XConnection> m_x;
    QHash<QString, Binding> m_bound;
};

} // namespace tessel
