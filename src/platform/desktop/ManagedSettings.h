#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

namespace tessel {

// Text settings a session's settings manager publishes for every application (XSETTINGS on
// X11), followed as they change.
class ManagedSettings : public QObject {
    Q_OBJECT

public:
    // A text setting such as "Net/ThemeName"; none without a manager or such a setting.
    virtual std::optional<QString> text(const QByteArray& name) const = 0;

Q_SIGNALS:
    void changed();
};

} // namespace tessel
