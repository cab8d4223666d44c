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
    // How light each screen is, 0 (black) to 1 (white); screens that cannot be captured are
    // left out.
    using Lightness = QMap<QString, double>;

    // `due` runs every few seconds while started; the owner then calls sample().
    ScreenSampler(Platform& platform, std::function<void()> due);
    ~ScreenSampler();

    void start();
    // Also drops a pass still waiting for its captures.
    void stop();

    // Captures the screens and hands their lightness to `sampled` once all have answered. A new
    // pass replaces one still waiting.
    void sample(const QStringList& screens, std::function<void(const Lightness&)> sampled);

    // Dark or light per sampled screen. Near the boundary a screen keeps its `previous`
    // judgement, or `dark` when it has none.
    static QMap<QString, bool> judge(const Lightness& lightness,
                                     const QMap<QString, bool>& previous, bool dark);

    // Average sRGB luma of an image drawn into a 32 × 20 sample, 0 (black) to 1 (white).
    static double luminance(const QImage& image);

private:
    struct Pass;

    Platform& m_platform;
    std::unique_ptr<Timer> m_timer;
    std::shared_ptr<Pass> m_pass;
};

} // namespace tessel
