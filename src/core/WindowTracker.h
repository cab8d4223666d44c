#pragma once

#include "core/Overlay.h"
#include "core/Settings.h"
#include "platform/Platform.h"

#include <memory>
#include <optional>

namespace tessel {

// Moves the focus sheet with the front window and the reading ruler with the pointer, thirty
// times a second while it follows.
class WindowTracker final {
public:
    // Reads `settings` and `frontPID` afresh on every tick; the caller owns both.
    WindowTracker(Platform& platform, Overlay& overlay, const Settings& settings,
                  const std::optional<qint32>& frontPID);

    // Clears the sheet and the ruler, then follows again while paper shows and either is on.
    void update(bool paperVisible);

private:
    void track();

    Platform& m_platform;
    Overlay& m_overlay;
    const Settings& m_settings;
    const std::optional<qint32>& m_frontPID;
    std::unique_ptr<Timer> m_timer;
};

} // namespace tessel
