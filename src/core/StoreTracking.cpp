#include "core/Store.h"

namespace tessel {

namespace {

constexpr auto trackingInterval = std::chrono::milliseconds(1000 / 30);

} // namespace

void Store::updateTracking() {
    m_trackTimer->stop();
    m_overlay->setFocus(std::nullopt, 0);
    m_overlay->setRuler(QPointF(), true, 0);
    if (!m_paperVisible || !(m_settings.focusSheet || m_settings.ruler)) {
        return;
    }
    track();
    m_trackTimer->start(trackingInterval, true);
}

void Store::track() {
    if (m_settings.focusSheet) {
        m_overlay->setFocus(m_platform.frontWindowRect(m_frontPID), m_settings.focusStrength);
    }
    if (m_settings.ruler) {
        m_overlay->setRuler(m_platform.cursorPosition(), false, m_settings.rulerHeight);
    }
}

} // namespace tessel
