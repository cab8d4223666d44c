#pragma once

#include "core/Settings.h"
#include "platform/Platform.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace tessel {

// Keeps the stored settings in step with the Store's copy. Writes are calm: the first change
// is written at once, later ones at most once each spacing, and the last always, so a slider's
// drag or a burst of commands costs a few writes while a quit loses nothing (flush).
class SettingsPersistence {
public:
    static constexpr std::chrono::milliseconds writeSpacing{500};

    // `stateChanged` runs whenever writeError() or setAsidePath() changes.
    SettingsPersistence(Platform& platform, std::function<void()> stateChanged);

    // The stored settings; defaults when none are stored or they cannot be read. An
    // unreadable file is set aside at once, so the user hears of it before changing anything.
    Settings load();

    void changed(const Settings& settings);
    // Writes a change still waiting for its turn.
    void flush();

    // Why the last write failed; none once a write succeeds.
    const std::optional<QString>& writeError() const { return m_writeError; }
    // Where an unreadable settings file went, until the next change is written.
    const std::optional<QString>& setAsidePath() const { return m_setAside; }

private:
    void write(const Settings& settings);
    void spacingElapsed();

    Platform& m_platform;
    std::function<void()> m_stateChanged;
    std::unique_ptr<Timer> m_spacing;
    std::optional<Settings> m_waiting;
    std::optional<QString> m_writeError;
    std::optional<QString> m_setAside;
};

} // namespace tessel
