#include "platform/wayland/MomentCover.h"

namespace tessel {

void MomentCover::add(const QString& screenId) {
    if (++m_moments[screenId] == 1) {
        Q_EMIT changed(screenId);
    }
}

void MomentCover::remove(const QString& screenId) {
    const auto it = m_moments.find(screenId);
    if (it == m_moments.end()) {
        return;
    }
    if (--*it == 0) {
        m_moments.erase(it);
        Q_EMIT changed(screenId);
    }
}

} // namespace tessel
