#pragma once

#include "WaitFor.h"
#include "platform/Platform.h"

#include <memory>
#include <optional>

namespace tessel {

// The platform's capture of a screen once it answers; a null image when it never does.
inline QImage captureNow(Platform& platform, const QString& screen, QSize size) {
    // Shared, so that a late answer after the wait gave up has somewhere to go.
    auto answer = std::make_shared<std::optional<QImage>>();
    platform.captureScreen(screen, size, [answer](QImage image) { *answer = std::move(image); });
    waitFor([&] { return answer->has_value(); });
    return answer->value_or(QImage());
}

} // namespace tessel
