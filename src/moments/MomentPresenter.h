#pragma once

#include "moments/MomentWindow.h"
#include "platform/Platform.h"

#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tessel {

// Puts one moment window on every screen, fades them in, and afterwards gives the focus back
// to the app the user was in.
class MomentPresenter {
public:
    using Content = std::function<std::unique_ptr<MomentView>(const ScreenInfo&)>;

    explicit MomentPresenter(Platform& platform);
    virtual ~MomentPresenter();

    MomentPresenter(const MomentPresenter&) = delete;
    MomentPresenter& operator=(const MomentPresenter&) = delete;

    // Does nothing while a moment shows. onDismiss runs on any click or key in its windows.
    virtual void show(const Content& content, std::function<void()> onDismiss,
                      std::chrono::milliseconds fadeIn);
    // Fades the moment out over 0.3 s; it counts as gone at once. Nothing when none shows.
    virtual void hide();

    virtual bool isShowing() const { return !m_windows.empty(); }
    // The moment's windows in the platform's screen order.
    const std::vector<std::unique_ptr<MomentWindow>>& windows() const { return m_windows; }
    const std::optional<AppInfo>& previousApp() const { return m_previousApp; }

protected:
    static constexpr std::chrono::milliseconds fadeOut{300};

    std::chrono::milliseconds motion(std::chrono::milliseconds duration) const;
    // Gives the focus back to the app that had it before the moment, unless that was Tessel.
    void returnFocus();

    Platform& m_platform;
    std::optional<AppInfo> m_previousApp;

private:
    std::vector<std::unique_ptr<MomentWindow>> m_windows;
    // Windows fading out; each deletes itself when its fade ends.
    std::vector<QPointer<MomentWindow>> m_leaving;
};

} // namespace tessel
