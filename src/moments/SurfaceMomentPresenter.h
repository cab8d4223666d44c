#pragma once

#include "moments/MomentPresenter.h"
#include "platform/OverlaySurface.h"

#include <QObject>

namespace tessel {

// Moments on surfaces the platform makes, above the paper (layer surfaces on Wayland, where no
// Qt window can rise over the paper), instead of Qt windows. Each takes the keyboard and any
// key or click dismisses it.
class SurfaceMomentPresenter final : public MomentPresenter {
public:
    SurfaceMomentPresenter(Platform& platform, MomentSurfaceFactory surfaces);
    ~SurfaceMomentPresenter() override;

    void show(const Content& content, std::function<void()> onDismiss,
              std::chrono::milliseconds fadeIn) override;
    void hide() override;
    bool isShowing() const override { return !m_shown.empty(); }

private:
    class Sheet;

    MomentSurfaceFactory m_surfaces;
    std::vector<std::unique_ptr<Sheet>> m_shown;
    std::vector<std::unique_ptr<Sheet>> m_leaving;
    // Drops sheets that have faded out, unless this presenter has gone first.
    QObject m_sweeper;
};

} // namespace tessel
