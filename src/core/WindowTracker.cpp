#include "core/WindowTracker.h"

namespace tessel {

namespace {

constexpr auto trackingInterval = std::chrono::milliseconds(1000 / 30);

} // namespace

WindowTracker::WindowTracker(Platform& platform, Overlay& overlay, const Settings& settings,
                             const std::optional<qint32>& frontPID)
    : m_platform(platform)
    , m_overlay(overlay)
    , m_settings(settings)
    , m_frontPID(frontPID)
    , m_timer(platform.makeTimer([this] { track(); })) {}

void WindowTracker::update(bool paperVisible) {
    m_timer->stop();
    m_overlay.setFocus(std::nullopt, 0);
    m_overlay.setRuler(QPointF(), true, 0);
    if (!paperVisible || !(m_settings.focusSheet || m_settings.ruler)) {
        return;
    }
    track();
    m_timer->start(trackingInterval, true);
}

void WindowTracker::track() {
    if (m_settings.focusSheet) {
        m_overlay.setFocus(m_platform.frontWindowRect(m_frontPID), m_settings.focusStrength);
    }
    if (m_settings.ruler) {
        const std::optional<QPointF> cursor = m_platform.cursorPosition();
        m_overlay.setRuler(cursor.value_or(QPointF()), !cursor, m_settings.rulerHeight);
    }
}

} // namespace tessel
