#pragma once

#include <QHash>
#include <QObject>
#include <QString>

namespace tessel {

// Which screens a moment covers. Paper steps aside there: compositors disagree about which of
// two surfaces on the overlay layer lies on top, and a moment must never lie under paper.
class MomentCover final : public QObject {
    Q_OBJECT

public:
    void add(const QString& screenId);
    void remove(const QString& screenId);
    bool covers(const QString& screenId) const { return m_moments.value(screenId) > 0; }

Q_SIGNALS:
    void changed(const QString& screenId);

private:
    QHash<QString, int> m_moments;
};

} // namespace tessel
