#include "moments/MomentLimits.h"

#include "core/SettingLimits.h"

namespace tessel {

std::chrono::seconds restInterval(const Settings& settings) {
    return std::chrono::minutes(limits::restEveryMinutes.range().clamp(settings.restEvery));
}

std::chrono::seconds restLength(const Settings& settings) {
    return std::chrono::seconds(limits::restLengthSeconds.range().clamp(settings.restLength));
}

std::chrono::seconds artIdleTime(const Settings& settings) {
    return std::chrono::minutes(limits::artIdleMinutes.range().clamp(settings.art.idleMinutes));
}

} // namespace tessel
