#pragma once

#include "platform/Platform.h"

#include <QImage>
#include <QMap>
#include <QStringList>

#include <functional>
#include <memory>

namespace tessel {

// Judges each screen light or dark from a tiny capture of what it shows.
class ScreenSampler final {
public:
    // `due` runs every few seconds while started; the owner then calls judge().
    ScreenSampler(Platform& platform, std::function<void()> due);

    void start();
    void stop();

    // Dark or light per screen. Near the boundary a screen keeps its `previous` judgement, or
    // `dark` when it has none; screens that cannot be captured are left out.
    QMap<QString, bool> judge(const QStringList& screens, const QMap<QString, bool>& previous,
                              bool dark) const;

    // Average sRGB luma of an image drawn into a 32 × 20 sample, 0 (black) to 1 (white).
    static double luminance(const QImage& image);

private:
    Platform& m_platform;
    std::unique_ptr<Timer> m_timer;
};

} // namespace tessel
